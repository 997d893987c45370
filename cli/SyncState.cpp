// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/SyncState.h"

#include "cli/CliError.h"
#include "store/ErrorTexts.h"
#include "store/FileSystem.h"
#include "store/StoreError.h"

#include <cerrno>
#include <charconv>
#include <sstream>

namespace cli {

namespace {

constexpr std::string_view kFirstLine = "zerizedozi-sync 1";
constexpr std::string_view kDeletedHere = "-";

std::string escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

std::optional<std::string> unescaped(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) return std::nullopt;
        switch (text[i]) {
            case '\\': out += '\\'; break;
            case 't': out += '\t'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            default: return std::nullopt;
        }
    }
    return out;
}

template <typename Number>
std::string numberText(const std::optional<Number>& value) {
    return value ? std::to_string(*value) : std::string();
}

template <typename Number>
bool readNumber(std::string_view text, std::optional<Number>& value, int base = 10) {
    if (text.empty()) {
        value.reset();
        return true;
    }
    Number number{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number, base);
    if (error != std::errc() || end != text.data() + text.size()) return false;
    value = number;
    return true;
}

std::vector<std::string_view> fieldsOf(std::string_view line) {
    std::vector<std::string_view> fields;
    for (size_t start = 0;;) {
        const size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string_view::npos) return fields;
        start = tab + 1;
    }
}

std::optional<SyncedEntry> entryOf(std::string_view line) {
    const std::vector<std::string_view> fields = fieldsOf(line);
    if (fields.size() != 7 || fields[0].empty()) return std::nullopt;
    SyncedEntry entry{std::string(fields[0]), 0, {}};
    std::optional<std::uint64_t> hash;
    entry.deletedHere = fields[1] == kDeletedHere;
    if (!entry.deletedHere && (!readNumber(fields[1], hash, 16) || !hash)) return std::nullopt;
    entry.fileHash = hash.value_or(0);
    if (!readNumber(fields[2], entry.row.paev) || !readNumber(fields[3], entry.row.kuu) ||
        !readNumber(fields[4], entry.row.aasta))
        return std::nullopt;
    entry.row.tyyp = std::string(fields[5]);
    const auto name = unescaped(fields[6]);
    if (!name) return std::nullopt;
    entry.row.nimi = *name;
    return entry;
}

}  // namespace

std::string syncStateText(const SyncState& state) {
    std::ostringstream text;
    text << kFirstLine << '\n';
    for (const SyncedEntry& entry : state) {
        text << entry.fileName << '\t';
        if (entry.deletedHere)
            text << kDeletedHere;
        else
            text << std::hex << entry.fileHash << std::dec;
        text << '\t' << numberText(entry.row.paev) << '\t' << numberText(entry.row.kuu) << '\t'
             << numberText(entry.row.aasta) << '\t' << entry.row.tyyp << '\t' << escaped(entry.row.nimi) << '\n';
    }
    return text.str();
}

SyncState parseSyncState(const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    if (!std::getline(lines, line) || line != kFirstLine) throw CliError("pole sünkroonimise olekufail");
    SyncState state;
    int number = 1;
    while (std::getline(lines, line)) {
        ++number;
        const auto entry = entryOf(line);
        if (!entry) throw CliError("vigane rida " + std::to_string(number));
        state.push_back(*entry);
    }
    return state;
}

SyncState loadSyncState(const std::string& path) {
    store::PosixFileSystem& files = store::PosixFileSystem::instance();
    if (!files.exists(path)) return {};
    try {
        return parseSyncState(files.read(path));
    } catch (const store::StoreError& error) {
        throw CliError(store::storeErrorText(error, path));
    } catch (const CliError& error) {
        throw CliError("Sünkroonimise olekufail " + store::quotedPath(path) + " on rikutud (" + error.what() +
                       "); kustuta see, ja järgmine sünkroonimine sobitab loendi ja kalendri uuesti.");
    }
}

void saveSyncState(const std::string& path, const SyncState& state) {
    try {
        store::PosixFileSystem::instance().replace(path, syncStateText(state));
    } catch (const store::StoreError& error) {
        throw CliError(store::storeErrorText(error, path));
    }
}

}  // namespace cli
