// SPDX-License-Identifier: GPL-3.0-or-later
// Where sync keeps its files, and the vdirsyncer config of the program's
// own that `sync --setup` writes (never the user's own vdirsyncer config).
#pragma once

#include <optional>
#include <string>

namespace cli {

struct SyncPaths {
    std::string configFile;    // the vdirsyncer config
    std::string statusFolder;  // vdirsyncer's own state
    std::string vdirRoot;      // the local storage's path
    std::string vdir;          // the collection's folder in it
    std::string stateFile;     // the merge's state, beside the vdir
    std::string runLock;       // held for a whole sync, so that two never overlap
};

// The collection on the server and in the vdir, and its display name.
inline constexpr const char* kCollectionName = "tahtpaevad";
inline constexpr const char* kCollectionTitle = "Tähtpäevad";

// The paths for the list at `dataFile`. The config lives under
// $XDG_CONFIG_HOME (else ~/.config) in Zerizedozi/vdirsyncer/, the vdir and
// the state under $XDG_DATA_HOME (else ~/.local/share) in
// Tarvalind/Zerizedozi/: "kalender" for the default list, "kalender-<hash of
// its real path>" (and config-<hash>) for any other, so no two lists share one.
SyncPaths syncPaths(const std::string& dataFile, bool defaultList);

struct SyncSettings {
    std::string url;
    std::string user;
    std::optional<std::string> passwordCommand;  // a shell command; else the keyring
    std::optional<int> alarmDays;
};

// The secret-tool attributes under which the password is kept.
inline constexpr const char* kKeyringService = "zerizedozi-sync";

// The config file's text: one pair of the vdir and the collection, with
// the display name synced, and the password fetched from `passwordCommand`
// or else from the keyring with secret-tool.
std::string vdirsyncerConfig(const SyncPaths& paths, const SyncSettings& settings);

// The reminder days the config says, or nullopt.
std::optional<int> configuredAlarmDays(const std::string& configText);

}  // namespace cli
