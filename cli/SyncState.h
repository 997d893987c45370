// The sync state: per event of the vdir, the row and the file as they were
// when the list and the vdir last agreed. Comparing both sides with it tells
// what was added, changed or deleted on each since then.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "store/EventRecord.h"

namespace cli {

struct SyncedEntry {
    std::string fileName;    // of the event in the vdir
    std::uint64_t fileHash;  // contentHash of that file
    store::EventRow row;     // without Kuup
};

using SyncState = std::vector<SyncedEntry>;

// The state file's text: a first line naming the format, then one line per
// entry, its fields separated by tabs, tabs, line breaks and backslashes in
// the name escaped.
std::string syncStateText(const SyncState& state);

// Reads syncStateText's text back. Throws CliError for any other text.
SyncState parseSyncState(const std::string& text);

// The state in the file at `path`: empty when the file does not exist.
// Throws CliError when it cannot be read or is not a state file.
SyncState loadSyncState(const std::string& path);

// Writes the state file in one step (temporary file, flush, rename).
// Throws CliError.
void saveSyncState(const std::string& path, const SyncState& state);

}  // namespace cli
