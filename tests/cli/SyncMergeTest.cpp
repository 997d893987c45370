// SPDX-License-Identifier: GPL-3.0-or-later
// The merge between the list and the vdir, on both sides in memory: each
// test changes one side or both, syncs, and looks at both.
#include "cli/CalendarEvent.h"
#include "cli/CliError.h"
#include "cli/IcsExport.h"
#include "cli/SyncMerge.h"
#include "tests/cli/CliTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace cli {
namespace {

using testing::eventRow;

const store::Date kToday{2026, 3, 5};

store::EventRow keyRow(store::EventRow row) {
    row.kuup.reset();
    return row;
}

// An event written elsewhere, as a phone's calendar writes it.
std::string phoneEvent(const std::string& uid, const std::string& summary, const std::string& start,
                       const std::string& rule = "FREQ=YEARLY", const std::string& extra = "") {
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Phone//EN\r\nBEGIN:VEVENT\r\nUID:" + uid +
           "\r\nDTSTAMP:20260101T000000Z\r\nDTSTART" + start + "\r\nSUMMARY:" + summary + "\r\n" +
           (rule.empty() ? "" : "RRULE:" + rule + "\r\n") + extra + "END:VEVENT\r\nEND:VCALENDAR\r\n";
}

// Both sides and the state, and a sync that carries out its plan on them,
// in the command's order, or only its first steps (as a killed sync would).
struct Sides {
    std::vector<store::EventRow> list;
    std::map<std::string, std::string> vdir;
    SyncState state;

    enum class Until { VdirWritten, ListSaved, StateSaved };

    SyncPlan sync(Until until = Until::StateSaved) {
        std::vector<VdirFile> files;
        for (const auto& [name, text] : vdir) files.push_back({name, text, contentHash(text)});
        const SyncPlan plan = planSync(list, state, files, [](const store::EventRow& row, const std::string& uid) {
            return eventIcs(row, uid, kToday);
        });
        for (const std::string& name : plan.vdirDeletions) vdir.erase(name);
        for (const VdirFile& file : plan.vdirWrites) vdir[file.name] = file.text;
        if (until == Until::VdirWritten) return plan;
        for (size_t i = plan.listDeletions.size(); i-- > 0;)
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(plan.listDeletions[i]));
        list.insert(list.end(), plan.listAdditions.begin(), plan.listAdditions.end());
        if (until == Until::ListSaved) return plan;
        state = plan.state;
        return plan;
    }

    // The rows the events of the vdir stand for (of the type they had as
    // rows, where the title leaves it out), and those of the list, sorted.
    std::vector<store::EventRow> serverRows() const {
        std::vector<store::EventRow> rows;
        for (const auto& [name, text] : vdir) {
            std::string knownType;
            for (const SyncedEntry& entry : state)
                if (entry.fileName == name) knownType = entry.row.tyyp;
            if (const auto event = readCalendarEvent(text, knownType); event && event->row) rows.push_back(*event->row);
        }
        return sorted(rows);
    }
    std::vector<store::EventRow> listRows() const {
        std::vector<store::EventRow> rows;
        for (const store::EventRow& row : list) rows.push_back(keyRow(row));
        return sorted(rows);
    }
    static std::vector<store::EventRow> sorted(std::vector<store::EventRow> rows) {
        std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
            return std::tie(a.nimi, a.kuu, a.paev, a.aasta, a.tyyp) < std::tie(b.nimi, b.kuu, b.paev, b.aasta, b.tyyp);
        });
        return rows;
    }
    void expectAgreed() const {
        EXPECT_EQ(listRows(), serverRows());
        Sides again = *this;
        const SyncPlan next = again.sync();
        EXPECT_FALSE(next.changesList() || next.changesVdir()) << "not settled";
        const SyncState settled = again.state;
        EXPECT_FALSE(again.sync().changesState(settled)) << "not settled";
    }
};

std::vector<store::EventRow> rowsOf(std::initializer_list<store::EventRow> rows) {
    std::vector<store::EventRow> keys;
    for (const store::EventRow& row : rows) keys.push_back(keyRow(row));
    return Sides::sorted(keys);
}

const store::EventRow kMari = eventRow("Mari Maasikas", 5, 3, 1986, "S");
const store::EventRow kJyri = eventRow("Jüri", 24, 4, std::nullopt, "N");
const store::EventRow kLeap = eventRow("Liisu", 29, 2, 2000, "S");

Sides syncedWith(std::vector<store::EventRow> rows) {
    Sides sides;
    sides.list = std::move(rows);
    sides.sync();
    return sides;
}

std::string fileOf(const Sides& sides, const store::EventRow& row) {
    for (const SyncedEntry& entry : sides.state)
        if (entry.row == keyRow(row)) return entry.fileName;
    ADD_FAILURE() << "no event for " << row.nimi;
    return {};
}

TEST(SyncMerge, FirstSyncUploadsEveryRowAndTheEventsReadBackAsTheRows) {
    Sides sides = syncedWith({kMari, kJyri, kLeap, kMari});
    EXPECT_EQ(sides.vdir.size(), 4u);
    EXPECT_EQ(sides.serverRows(), rowsOf({kMari, kJyri, kLeap, kMari}));
    sides.expectAgreed();
}

TEST(SyncMerge, EventsAddedChangedAndDeletedOnTheServerDoTheSameToTheList) {
    Sides sides = syncedWith({kMari, kJyri, kLeap});
    sides.vdir["phone-1.ics"] = phoneEvent("phone-1", "Tiit Tamm — sünnipäev", ";VALUE=DATE:19700612");
    sides.vdir["phone-2.ics"] = phoneEvent("phone-2", "Pulma-aastapäev", ";VALUE=DATE:20100807");
    sides.vdir["phone-3.ics"] = phoneEvent("phone-3", std::string(120, 'x') + " — nimepäev", ";VALUE=DATE:20100901");
    std::string& jyri = sides.vdir[fileOf(sides, kJyri)];
    const std::string title = "SUMMARY:Jüri — nimepäev";
    jyri.replace(jyri.find(title), title.size(), "SUMMARY:Jüri Juurikas");
    sides.vdir.erase(fileOf(sides, kLeap));

    const SyncPlan plan = sides.sync();

    EXPECT_EQ(plan.counts.fromServer, 4);
    EXPECT_EQ(plan.counts.deleted, 1);
    // The year comes with a birthday made elsewhere, not with a date of another
    // kind; Jüri's edit dropped the kind from the title, and the row keeps it;
    // a name too long for the list is cut as the list cuts it.
    EXPECT_EQ(sides.listRows(),
              rowsOf({kMari, eventRow("Jüri Juurikas", 24, 4, std::nullopt, "N"),
                      eventRow("Tiit Tamm", 12, 6, 1970, "S"), eventRow("Pulma-aastapäev", 7, 8, std::nullopt, "M"),
                      eventRow(std::string(99, 'x'), 1, 9, std::nullopt, "N")}));
    sides.expectAgreed();
}

TEST(SyncMerge, EventsThatAreNoYearlyAllDayDatesStayOnTheServerAlone) {
    Sides sides = syncedWith({kMari});
    sides.vdir["a.ics"] = phoneEvent("a", "Hambaarst", ";VALUE=DATE:20260310", "");
    sides.vdir["b.ics"] = phoneEvent("b", "Trenn", ":20260310T180000", "FREQ=YEARLY");
    sides.vdir["c.ics"] = phoneEvent("c", "Iga teine aasta", ";VALUE=DATE:20260310", "FREQ=YEARLY;INTERVAL=2");
    sides.vdir["d.ics"] = phoneEvent("d", "Kolm korda", ";VALUE=DATE:20260310", "FREQ=YEARLY;COUNT=3");
    sides.vdir["e.ics"] = "not a calendar";

    sides.sync();

    EXPECT_EQ(sides.listRows(), rowsOf({kMari}));
    EXPECT_EQ(sides.vdir.size(), 6u);
}

TEST(SyncMerge, RowsAddedAndDeletedInTheListDoTheSameOnTheServerAndAnEditIsDeletePlusAdd) {
    Sides sides = syncedWith({kMari, kJyri, kLeap});
    const std::string mariFile = fileOf(sides, kMari);
    sides.list.erase(sides.list.begin());  // Mari
    sides.list[0] = eventRow("Jüri", 23, 4, std::nullopt, "N");
    sides.list.push_back(eventRow("Uus", 1, 1, 2001, "T"));

    const SyncPlan plan = sides.sync();

    EXPECT_EQ(plan.counts.toServer, 2);
    EXPECT_EQ(plan.counts.deleted, 2);
    EXPECT_FALSE(sides.vdir.count(mariFile));
    EXPECT_EQ(sides.serverRows(),
              rowsOf({kLeap, eventRow("Jüri", 23, 4, std::nullopt, "N"), eventRow("Uus", 1, 1, 2001, "T")}));
    sides.expectAgreed();
}

// The server's change reaches the vdir before the merge that sees the
// list's change, or only after it: vdirsyncer brings the event deleted here
// back, under a file name of its own.
TEST(SyncMerge, ChangedOnBothSidesKeepsBothVersionsAndNamesThem) {
    for (const bool listDeleted : {false, true}) {
        for (const bool serverFirst : {true, false}) {
            Sides sides = syncedWith({kMari, kJyri});
            const std::string file = fileOf(sides, kMari);
            std::string event = sides.vdir[file];
            event.replace(event.find("Mari Maasikas"), 13, "Mari Mets");
            if (serverFirst) sides.vdir[file] = event;
            if (listDeleted)
                sides.list.erase(sides.list.begin());
            else
                sides.list[0] = eventRow("Mari Maasikas-Mets", 5, 3, 1986, "S");
            if (!serverFirst) {
                sides.sync();
                sides.vdir["4e1c7d0a-restored.ics"] = event;
            }

            const SyncPlan plan = sides.sync();

            EXPECT_EQ(plan.counts.bothChanged, 1);
            ASSERT_EQ(plan.conflicts.size(), 1u);
            EXPECT_NE(plan.conflicts[0].find("Mari Maasikas (05.03.1986, sünnipäev)"), std::string::npos);
            EXPECT_NE(plan.conflicts[0].find("Mari Mets (05.03.1986, sünnipäev)"), std::string::npos);
            if (listDeleted)
                EXPECT_EQ(sides.listRows(), rowsOf({kJyri, eventRow("Mari Mets", 5, 3, 1986, "S")}));
            else
                EXPECT_EQ(sides.listRows(), rowsOf({kJyri, eventRow("Mari Mets", 5, 3, 1986, "S"),
                                                    eventRow("Mari Maasikas-Mets", 5, 3, 1986, "S")}));
            sides.expectAgreed();
        }
    }
}

TEST(SyncMerge, TwoListsOfOneCollectionConvergeWithoutDoubles) {
    Sides home = syncedWith({kMari, kJyri});
    Sides work;
    work.list = {kJyri, kLeap};
    work.vdir = home.vdir;  // what vdirsyncer brought from the server
    work.sync();
    home.vdir = work.vdir;
    home.sync();

    EXPECT_EQ(work.listRows(), rowsOf({kMari, kJyri, kLeap}));
    EXPECT_EQ(home.listRows(), work.listRows());
    EXPECT_EQ(work.serverRows(), work.listRows());
    work.expectAgreed();
}

TEST(SyncMerge, ASyncKilledBeforeItsStateWasSavedConvergesWithoutDoubles) {
    using Until = Sides::Until;
    for (const Until killedAfter : {Until::VdirWritten, Until::ListSaved}) {
        Sides sides = syncedWith({kMari, kJyri, kLeap});
        sides.list.push_back(eventRow("Uus", 1, 1, 2001, "T"));
        sides.list.erase(sides.list.begin() + 1);  // Jüri
        sides.vdir["phone-1.ics"] = phoneEvent("phone-1", "Tiit — sünnipäev", ";VALUE=DATE:19700612");
        std::string& mari = sides.vdir[fileOf(sides, kMari)];
        mari.replace(mari.find("Mari Maasikas"), 13, "Mari Mets");

        sides.sync(killedAfter);
        sides.sync();

        EXPECT_EQ(sides.listRows(), rowsOf({eventRow("Mari Mets", 5, 3, 1986, "S"), kLeap,
                                            eventRow("Uus", 1, 1, 2001, "T"), eventRow("Tiit", 12, 6, 1970, "S")}));
        sides.expectAgreed();
    }
}

TEST(SyncMerge, TheGuardTripsWhenOneSideWouldLoseMoreThanHalfOfAtLeastTen) {
    std::vector<store::EventRow> rows;
    for (int day = 1; day <= 20; ++day) rows.push_back(eventRow("Nimi " + std::to_string(day), day, 5, 1990));
    Sides sides = syncedWith(rows);
    const auto deleting = [&](int events, int listRows) {
        Sides changed = sides;
        for (int i = 0; i < events; ++i) changed.vdir.erase(fileOf(sides, rows[i]));
        changed.list.erase(changed.list.end() - listRows, changed.list.end());
        Sides copy = changed;
        return deletesTooMuch(copy.sync(), sides.state);
    };
    EXPECT_FALSE(deleting(10, 0));
    EXPECT_TRUE(deleting(11, 0));
    EXPECT_TRUE(deleting(20, 0));
    EXPECT_FALSE(deleting(0, 10));
    EXPECT_TRUE(deleting(0, 11));

    Sides small = syncedWith({kMari, kJyri, kLeap});
    small.vdir.clear();
    EXPECT_FALSE(deletesTooMuch(small.sync(), syncedWith({kMari, kJyri, kLeap}).state));
}

TEST(SyncState, ReadsBackWhatItWroteAndRefusesAnythingElse) {
    SyncState state{{"a.ics", 0xfedcba9876543210ull, keyRow(eventRow("Tab\there\\ and\nline", 5, 3, 1986, "S"))},
                    {"b@x.ics", 1, keyRow(eventRow("", 29, 2, std::nullopt, "")), true}};
    EXPECT_EQ(parseSyncState(syncStateText(state)).size(), 2u);
    EXPECT_FALSE(parseSyncState(syncStateText(state))[0].deletedHere);
    EXPECT_TRUE(parseSyncState(syncStateText(state))[1].deletedHere);
    EXPECT_EQ(parseSyncState(syncStateText(state))[0].row, state[0].row);
    EXPECT_EQ(parseSyncState(syncStateText(state))[0].fileHash, state[0].fileHash);
    EXPECT_EQ(parseSyncState(syncStateText(state))[1].row, state[1].row);
    EXPECT_THROW(parseSyncState(""), CliError);
    EXPECT_THROW(parseSyncState(syncStateText(state) + "c.ics\tzz\t1\t1\t\tS\tx\n"), CliError);
    EXPECT_THROW(parseSyncState(syncStateText(state) + "c.ics\t1\t1\t1\t\tS\tbad\\q\n"), CliError);
}

}  // namespace
}  // namespace cli
