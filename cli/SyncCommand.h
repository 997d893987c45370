// SPDX-License-Identifier: GPL-3.0-or-later
// `zerizedozi-cli sync`: merge the list and the vdir, let vdirsyncer sync
// the vdir with the server, merge again; and `sync --setup`.
#pragma once

#include "cli/SyncMerge.h"
#include "cli/SyncSetup.h"
#include "store/Date.h"
#include "store/FileSystem.h"

#include <chrono>
#include <optional>
#include <ostream>
#include <string>

namespace cli {

struct SyncRequest {
    std::string dataFile;
    bool defaultList = true;  // the list in the user's own folder, whose sync is the default one
    bool force = false;       // deletes past the mass-deletion guard
    // A first sync of a long list uploads every entry, which takes minutes.
    std::chrono::seconds serverTimeout{3600};
};

// The sync of `dataFile`: the default one when it is `usersDataFile`, the list
// in the user's own folder; any other list (one of --file, or a copied
// program's list beside it) has a sync of its own, so that it never merges
// against another list's state.
SyncRequest syncRequestFor(const std::string& dataFile, const std::string& usersDataFile);

// One merge of the list and the vdir at `paths`, under the list's lock: the
// vdir's files are written first, then the list, the state last, so that a
// merge killed anywhere is repaired by the next. Entries changed on both
// sides are named on `err`. Throws CliError as runSync does.
SyncCounts mergeWithVdir(const SyncRequest& request, const SyncPaths& paths, store::FileSystem& files,
                         const store::Date& today, std::optional<int> alarmDays, std::ostream& err);

// True when `sync --setup` has been run for the list.
bool syncIsSetUp(const SyncRequest& request);

// Runs one sync and prints its summary line to `out`, each entry changed
// on both sides to `err`. The list's lock is held only while merging; a
// second sync of the same list waits for the first. Throws CliError when
// sync is not set up, the window has the list open, the server cannot be
// reached (the list then stays as it was) or the mass-deletion guard trips
// (nothing is deleted).
void runSync(const SyncRequest& request, store::FileSystem& files, const store::Date& today, std::ostream& out,
             std::ostream& err);

// Writes the config, keeps the password in the keyring unless `settings`
// has a password command (asking for it on the terminal without echo),
// forgets any earlier sync of the list (the next one pairs equal entries),
// and creates the collection on the server when missing. Throws CliError.
void setUpSync(const SyncRequest& request, const SyncSettings& settings, std::ostream& out);

}  // namespace cli
