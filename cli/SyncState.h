// SPDX-License-Identifier: GPL-3.0-or-later
// The sync state: per event of the vdir, the row and the file as they were
// when the list and the vdir last agreed. Comparing both sides with it tells
// what was added, changed or deleted on each since then.
#pragma once

#include "store/EventRecord.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace cli {

struct SyncedEntry {
    std::string fileName;    // of the event in the vdir; its UID when deletedHere
    std::uint64_t fileHash;  // contentHash of that file
    store::EventRow row;     // without Kuup
    // The event was deleted from the vdir by the last merge, because its
    // row went from the list: remembered for the next merge only, by UID,
    // since the server may bring it back under another file name.
    bool deletedHere = false;
};

using SyncState = std::vector<SyncedEntry>;

// The state file's text: a first line naming the format, then one line per
// entry, its fields separated by tabs, tabs, line breaks and backslashes in
// the name escaped; an entry deleted here has "-" for its hash.
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
