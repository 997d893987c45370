// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Reminder.h"
#include "tests/cli/CliTestSupport.h"

#include <gtest/gtest.h>

namespace cli {
namespace {

using testing::CommandRunner;
using testing::eventRow;

// Thursday 5 March 2026 and the days around it.
const std::vector<store::EventRow> kRows = {eventRow("Pulmapäev", 10, 3, 2001, "T"),
                                            eventRow("Mari Maasikas", 5, 3, 1986),
                                            eventRow("Emakeelepäev", 14, 3, std::nullopt, "T"),
                                            eventRow("Tiit", 6, 3, 2000),
                                            eventRow("Jüri", 5, 3, std::nullopt, "N"),
                                            eventRow("Anu\nAnneli", 5, 3, std::nullopt)};

TEST(Notify, TodayLeadsAndTheRestOfTheWeekFollowsInUpcomingWords) {
    CommandRunner runner({2026, 3, 5});
    runner.writeRows(kRows);
    const testing::RunResult result = runner.run({"notify"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
    ASSERT_EQ(runner.notifications().shown.size(), 1u);
    const Reminder& shown = runner.notifications().shown[0];
    // The list's order: month, day, year (none first), name.
    EXPECT_EQ(shown.summary, "Täna: Anu Anneli (sünnipäev), Jüri (nimepäev), Mari Maasikas (saab 40)");
    EXPECT_EQ(shown.bodyLines,
              (std::vector<std::string>{"06.03. reede, homme: Tiit (Sünnipäev, saab 26)",
                                        "10.03. teisipäev, 5 päeva pärast: Pulmapäev (Tähtpäev, saab 25)"}));
}

TEST(Notify, WithNothingTodayTheNearestDayLeads) {
    const auto summaryOn = [](store::Date today, int days) {
        const auto reminder = reminderOf(upcomingDates(kRows, today, days));
        return reminder ? reminder->summary : "(none)";
    };
    EXPECT_EQ(summaryOn({2026, 3, 9}, 7), "Homme: Pulmapäev (tähtpäev, saab 25)");
    EXPECT_EQ(summaryOn({2026, 2, 28}, 7),
              "5 päeva pärast: Mari Maasikas (saab 40), Jüri (nimepäev), Anu Anneli (sünnipäev)");
    EXPECT_EQ(summaryOn({2026, 2, 28}, 5), "(none)");
    EXPECT_EQ(reminderOf(upcomingDates(kRows, {2026, 3, 9}, 7))->bodyLines,
              (std::vector<std::string>{"14.03. laupäev, 5 päeva pärast: Emakeelepäev (Tähtpäev)"}));
    // The day of birth itself is no birthday yet: no age to tell.
    EXPECT_EQ(summaryOn({1986, 3, 5}, 1), "Täna: Mari Maasikas (sünnipäev), Jüri (nimepäev), Anu Anneli (sünnipäev)");
}

TEST(Notify, AHeavyDayIsCountedNotListedAndNoControlCharacterGetsThrough) {
    std::vector<store::EventRow> rows;
    for (const char* name : {"A\x1B]2;x\x07", "B\xE2\x80\xAE", "C\xC2\x9B", "D", "E"})
        rows.push_back(eventRow(name, 5, 3, std::nullopt, "N"));
    rows.push_back(eventRow("Aadu", 6, 3, std::nullopt, "\x1B"));
    for (int i = 0; i < 22; ++i)
        rows.push_back(eventRow("Hilisem " + std::to_string(100 + i), 6, 3, std::nullopt, "N"));

    const std::optional<Reminder> reminder = reminderOf(upcomingDates(rows, {2026, 3, 5}, 7));
    ASSERT_TRUE(reminder);
    EXPECT_EQ(reminder->summary, "Täna: A ]2;x  (nimepäev), B\\u{202E} (nimepäev), C\\x9B (nimepäev) ja veel 2");
    ASSERT_EQ(reminder->bodyLines.size(), kMostBodyLines + 1);
    EXPECT_EQ(reminder->bodyLines.front(), "06.03. reede, homme: Aadu (\\x1B)");
    EXPECT_EQ(reminder->bodyLines[kMostBodyLines - 1], "06.03. reede, homme: Hilisem 118 (Nimepäev)");
    EXPECT_EQ(reminder->bodyLines.back(), "ja veel 3");
}

}  // namespace
}  // namespace cli
