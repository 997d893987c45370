// SPDX-License-Identifier: GPL-3.0-or-later
// The two-way merge between the list and the vdir, against the state of
// their last agreement. Pure: it reads its inputs and says what to do.
//
// Per entry of the state: unchanged on both sides stays; changed or deleted
// on one side follows on the other; deleted on both is forgotten; changed on
// the server and deleted or edited in the list keeps both versions (the
// server's is added to the list, a date is never dropped). An event the
// server changed into something that is no yearly all-day date lets go of
// its row, which stays in the list and goes to the server again as a new
// event. An event deleted here that the server brings back, changed there
// meanwhile, is such a conflict too: the state remembers events deleted
// here until the next merge. The list's rows carry no identity of their own, so a row edited in
// the window is one row deleted and another added. A new event and a new row
// equal in name, day, month, year and type are paired instead of doubled,
// which also settles a first sync and a sync killed before its state was
// saved. New rows go to the vdir under UIDs of eventUid, new events become
// rows; events that are no yearly all-day date stay on the server alone.
#pragma once

#include "cli/SyncState.h"
#include "cli/Vdir.h"
#include "store/EventRecord.h"

#include <functional>
#include <string>
#include <vector>

namespace cli {

struct SyncCounts {
    int toServer = 0;    // events written to the vdir
    int fromServer = 0;  // rows added or changed from the vdir
    int deleted = 0;     // on either side
    int bothChanged = 0;

    SyncCounts& operator+=(const SyncCounts& other);
};

struct SyncPlan {
    std::vector<size_t> listDeletions;           // places in the list's rows, ascending
    std::vector<store::EventRow> listAdditions;  // without Kuup
    std::vector<std::string> vdirDeletions;      // file names
    std::vector<VdirFile> vdirWrites;
    SyncState state;  // once all of the above is done
    SyncCounts counts;
    std::vector<std::string> conflicts;  // one line per entry changed on both sides

    bool changesList() const { return !listDeletions.empty() || !listAdditions.empty(); }
    bool changesVdir() const { return !vdirDeletions.empty() || !vdirWrites.empty(); }
    bool changesState(const SyncState& before) const;
};

// The calendar text of the event `uid` for `row`; empty for a row that
// makes no event (no valid day and month).
using EventWriter = std::function<std::string(const store::EventRow& row, const std::string& uid)>;

SyncPlan planSync(const std::vector<store::EventRow>& listRows, const SyncState& state,
                  const std::vector<VdirFile>& vdir, const EventWriter& writeEvent);

inline constexpr int kFewestGuardedDeletions = 10;

// True when the plan deletes at least kFewestGuardedDeletions and more than
// half of the synced entries on one side: an emptied collection or list.
bool deletesTooMuch(const SyncPlan& plan, const SyncState& state);

}  // namespace cli
