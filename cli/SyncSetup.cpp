// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/SyncSetup.h"

#include "cli/Vdir.h"
#include "platform/DataFolderLookup.h"
#include "store/FileSystem.h"

#include <cstdio>
#include <cstdlib>

namespace cli {

namespace {

constexpr std::string_view kAlarmLine = "# zerizedozi-alarm = ";

// A JSON string, as the config's values are written.
std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

}  // namespace

SyncPaths syncPaths(const std::string& dataFile, bool defaultList) {
    std::string suffix;
    if (!defaultList) {
        char hash[18];
        std::snprintf(hash, sizeof hash, "-%016llx",
                      static_cast<unsigned long long>(contentHash(store::realPathOf(dataFile))));
        suffix = hash;
    }
    const std::string configFolder = platform::xdgFolder("XDG_CONFIG_HOME", ".config") + "/Zerizedozi/vdirsyncer";
    const std::string dataFolder = platform::usersFolder();
    SyncPaths paths;
    paths.configFile = configFolder + "/config" + suffix;
    paths.statusFolder = configFolder + "/status" + suffix + "/";
    paths.vdirRoot = dataFolder + "/kalender" + suffix;
    paths.vdir = paths.vdirRoot + "/" + kCollectionName;
    paths.stateFile = paths.vdirRoot + ".olek";
    paths.runLock = paths.vdirRoot + ".sync";
    return paths;
}

std::string vdirsyncerConfig(const SyncPaths& paths, const SyncSettings& settings) {
    std::string text =
        "# Zerizedozi sünkroonimise seaded, kirjutas \"zerizedozi-cli sync --setup\".\n"
        "# Muuda need uue seadistamisega, mitte siin.\n";
    if (settings.alarmDays) text += std::string(kAlarmLine) + std::to_string(*settings.alarmDays) + "\n";
    text += "\n[general]\nstatus_path = " + quoted(paths.statusFolder) +
            "\n\n"
            "[pair zerizedozi]\n"
            "a = \"zerizedozi_vdir\"\n"
            "b = \"zerizedozi_server\"\n"
            "collections = [" +
            quoted(kCollectionName) +
            "]\n"
            "metadata = [\"displayname\"]\n"
            "conflict_resolution = \"b wins\"\n"
            "\n"
            "[storage zerizedozi_vdir]\n"
            "type = \"filesystem\"\n"
            "path = " +
            quoted(paths.vdirRoot + "/") +
            "\n"
            "fileext = \".ics\"\n"
            "\n"
            "[storage zerizedozi_server]\n"
            "type = \"caldav\"\n"
            "url = " +
            quoted(settings.url) + "\nusername = " + quoted(settings.user) + "\n";
    if (settings.passwordCommand) {
        text += "password.fetch = [\"shell\", " + quoted(*settings.passwordCommand) + "]\n";
    } else {
        text += R"(password.fetch = ["command", "secret-tool", "lookup", "service", )" + quoted(kKeyringService) +
                R"(, "user", )" + quoted(settings.user) + R"(, "url", )" + quoted(settings.url) + "]\n";
    }
    return text;
}

std::optional<int> configuredAlarmDays(const std::string& configText) {
    const size_t at = configText.find(kAlarmLine);
    if (at == std::string::npos) return std::nullopt;
    return std::atoi(configText.c_str() + at + kAlarmLine.size());
}

}  // namespace cli
