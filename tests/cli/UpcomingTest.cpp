// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CalendarDays.h"
#include "cli/CliError.h"
#include "cli/Upcoming.h"
#include "tests/cli/CliTestSupport.h"

#include <gtest/gtest.h>

namespace cli {
namespace {

using testing::eventRow;

std::vector<std::string> linesFor(const std::vector<store::EventRow>& rows, store::Date today, int days) {
    std::vector<std::string> lines;
    for (const UpcomingDate& date : upcomingDates(rows, today, days)) lines.push_back(upcomingLine(date));
    return lines;
}

TEST(CalendarDays, WeekdayNames) {
    const std::vector<std::string_view> week = {"esmaspäev", "teisipäev", "kolmapäev", "neljapäev",
                                                "reede",     "laupäev",   "pühapäev"};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(weekdayName({2026, 3, 2 + i}), week[static_cast<size_t>(i)]);
    EXPECT_EQ(weekdayName({2000, 2, 29}), "teisipäev");
    EXPECT_EQ(weekdayName({1918, 2, 24}), "pühapäev");
}

TEST(Upcoming, AWindowOverTheYearEndTakesDatesOfBothYearsInOrder) {
    const std::vector<store::EventRow> rows = {eventRow("Jaan", 5, 1, 1980),
                                               eventRow("Eilne", 27, 12, std::nullopt),
                                               eventRow("Vana-aasta", 31, 12, std::nullopt, "T"),
                                               eventRow("Liiga hilja", 11, 1, std::nullopt),
                                               eventRow("Uusaasta", 1, 1, std::nullopt, "T"),
                                               eventRow("Täna", 28, 12, 2000, "N")};
    const auto dates = upcomingDates(rows, {2025, 12, 28}, 14);
    ASSERT_EQ(dates.size(), 4u);
    EXPECT_EQ(dates[0].date, (store::Date{2025, 12, 28}));
    EXPECT_EQ(dates[1].date, (store::Date{2025, 12, 31}));
    EXPECT_EQ(dates[2].date, (store::Date{2026, 1, 1}));
    EXPECT_EQ(dates[3].date, (store::Date{2026, 1, 5}));
    EXPECT_EQ(dates[3].daysAhead, 8);
    // The age is the one reached in the next year.
    EXPECT_EQ(dates[3].turns, 46);
    EXPECT_EQ(upcomingLine(dates[3]), "05.01. esmaspäev, 8 päeva pärast: Jaan (Sünnipäev, saab 46)");
    EXPECT_EQ(upcomingDates(rows, {2025, 12, 28}, 15).back().name, "Liiga hilja");
}

TEST(Upcoming, LinesSayTodayTomorrowAndDaysAhead) {
    const std::vector<store::EventRow> rows = {eventRow("Mari Maasikas", 5, 3, 1986),
                                               eventRow("Jüri", 6, 3, std::nullopt, "N"),
                                               eventRow("Lipu päev", 7, 3, std::nullopt, "T")};
    EXPECT_EQ(linesFor(rows, {2026, 3, 5}, 3),
              (std::vector<std::string>{"05.03. neljapäev, täna: Mari Maasikas (Sünnipäev, saab 40)",
                                        "06.03. reede, homme: Jüri (Nimepäev)",
                                        "07.03. laupäev, 2 päeva pärast: Lipu päev (Tähtpäev)"}));
    EXPECT_EQ(linesFor(rows, {2026, 3, 5}, 1).size(), 1u);
    EXPECT_EQ(linesFor({eventRow("Kaks\nrida\t", 5, 3, std::nullopt)}, {2026, 3, 5}, 1),
              (std::vector<std::string>{"05.03. neljapäev, täna: Kaks rida  (Sünnipäev)"}));
}

TEST(Upcoming, AgeIsShownOnlyForAnEarlierYear) {
    const std::vector<store::EventRow> rows = {eventRow("Beebi", 6, 3, 2026), eventRow("Laps", 6, 3, 2025),
                                               eventRow("Tulevik", 6, 3, 2030),
                                               eventRow("Muu asi", 6, 3, std::nullopt, "M")};
    EXPECT_EQ(linesFor(rows, {2026, 3, 5}, 2),
              (std::vector<std::string>{
                  "06.03. reede, homme: Beebi (Sünnipäev)", "06.03. reede, homme: Laps (Sünnipäev, saab 1)",
                  "06.03. reede, homme: Tulevik (Sünnipäev)", "06.03. reede, homme: Muu asi (Muu)"}));
}

TEST(Upcoming, LeapDayFallsOnTheFirstOfMarchInACommonYear) {
    const std::vector<store::EventRow> rows = {eventRow("Liigaasta", 29, 2, 1984), eventRow("Märts", 1, 3, 1990)};
    EXPECT_EQ(linesFor(rows, {2026, 2, 27}, 3),
              (std::vector<std::string>{"01.03. pühapäev, 2 päeva pärast: Liigaasta (Sünnipäev, saab 42)",
                                        "01.03. pühapäev, 2 päeva pärast: Märts (Sünnipäev, saab 36)"}));
    EXPECT_EQ(linesFor(rows, {2028, 2, 27}, 3),
              (std::vector<std::string>{"29.02. teisipäev, 2 päeva pärast: Liigaasta (Sünnipäev, saab 44)"}));
}

TEST(Upcoming, RowsWithoutAValidDayAndMonthAreLeftOut) {
    std::vector<store::EventRow> rows = {eventRow("Veebruar", 31, 2, std::nullopt),
                                         eventRow("Kuu 13", 5, 13, 1980),
                                         eventRow("Päev 0", 0, 3, 1980),
                                         eventRow("Päevata", 5, 3, 1980),
                                         eventRow("Kood", 5, 3, std::nullopt, "X"),
                                         eventRow("Tüübita", 5, 3, std::nullopt, "")};
    rows[3].paev.reset();
    EXPECT_EQ(linesFor(rows, {2026, 2, 1}, 366),
              (std::vector<std::string>{"05.03. neljapäev, 32 päeva pärast: Kood (X)",
                                        "05.03. neljapäev, 32 päeva pärast: Tüübita"}));
}

TEST(Upcoming, NothingToShowIsOneLine) {
    EXPECT_EQ(nothingUpcomingLine(14), "Järgmise 14 päeva jooksul pole ühtegi tähtpäeva.");
    EXPECT_EQ(nothingUpcomingLine(1), "Täna pole ühtegi tähtpäeva.");

    testing::CommandRunner runner({2026, 3, 5});
    runner.writeRows({eventRow("Jaanipäev", 24, 6, std::nullopt, "T"), eventRow("Eile", 4, 3, 1980)});
    const testing::RunResult result = runner.run({"upcoming"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "Järgmise 14 päeva jooksul pole ühtegi tähtpäeva.\n");
    EXPECT_EQ(result.err, "");
}

TEST(Upcoming, TheCommandListsTheDefaultFourteenDays) {
    testing::CommandRunner runner({2026, 3, 5});
    runner.writeRows({eventRow("Viimane", 18, 3, std::nullopt), eventRow("Liiga kaugel", 19, 3, std::nullopt),
                      eventRow("Esimene", 5, 3, std::nullopt)});
    const testing::RunResult result = runner.run({"upcoming"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out,
              "05.03. neljapäev, täna: Esimene (Sünnipäev)\n"
              "18.03. kolmapäev, 13 päeva pärast: Viimane (Sünnipäev)\n");
    EXPECT_EQ(runner.run({"upcoming", "--days=15"}).out.find("Liiga kaugel") != std::string::npos, true);
    EXPECT_EQ(runner.run({"upcoming", "--days", "1", "--file", runner.dataFile()}).out,
              "05.03. neljapäev, täna: Esimene (Sünnipäev)\n");
}

// The command picks the rows of the coming days from the list as it lies in
// the file; dates of one day come in the list's order: month, day, year
// (none first), the name byte by byte, then the file's order.
TEST(Upcoming, TheCommandOrdersDatesOfOneDayAsTheListDoes) {
    testing::CommandRunner runner({2026, 12, 30});
    runner.writeRows({eventRow("Märts", 1, 3, 1990), eventRow("Šarl", 1, 1, 1980), eventRow("Hiline", 2, 3, 1990),
                      eventRow("Uusaasta", 1, 1, std::nullopt, "T"), eventRow("Liigaasta", 29, 2, 1984),
                      eventRow("Zeno", 1, 1, 1980), eventRow("Aadu", 1, 1, 1980), eventRow("Eile", 29, 12, 1990),
                      eventRow("Vana-aasta", 31, 12, std::nullopt, "T"), eventRow("Aadu", 1, 1, 1980, "N")});
    const testing::RunResult result = runner.run({"upcoming", "--days", "62"});
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out,
              "31.12. neljapäev, homme: Vana-aasta (Tähtpäev)\n"
              "01.01. reede, 2 päeva pärast: Uusaasta (Tähtpäev)\n"
              "01.01. reede, 2 päeva pärast: Aadu (Sünnipäev, saab 47)\n"
              "01.01. reede, 2 päeva pärast: Aadu (Nimepäev, saab 47)\n"
              "01.01. reede, 2 päeva pärast: Zeno (Sünnipäev, saab 47)\n"
              "01.01. reede, 2 päeva pärast: Šarl (Sünnipäev, saab 47)\n"
              "01.03. esmaspäev, 61 päeva pärast: Liigaasta (Sünnipäev, saab 43)\n"
              "01.03. esmaspäev, 61 päeva pärast: Märts (Sünnipäev, saab 37)\n");
}

TEST(Upcoming, DaysMustBeAWholeNumberFromOneTo366) {
    EXPECT_EQ(parseUpcomingDays("1"), 1);
    EXPECT_EQ(parseUpcomingDays("366"), 366);
    EXPECT_EQ(parseUpcomingDays("007"), 7);
    for (const std::string bad : {"", "0", "-3", "+3", "367", "1000", "7x", "abc", " 7", "3.5"}) {
        EXPECT_THROW(parseUpcomingDays(bad), CliError) << bad;
    }

    testing::CommandRunner runner({2026, 3, 5});
    runner.writeRows({});
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"upcoming", "--days", "abc"},
                                               {"upcoming", "--days", "0"},
                                               {"upcoming", "--days=-1"},
                                               {"upcoming", "--days"},
                                               {"upcoming", "--days", "5", "--days", "6"},
                                               {"upcoming", "--päevi", "5"}}) {
        const testing::RunResult result = runner.run(args);
        EXPECT_EQ(result.status, kExitUsage) << args.back();
        EXPECT_EQ(result.out, "");
        EXPECT_TRUE(result.err.starts_with("zerizedozi-cli: ")) << result.err;
    }
    EXPECT_EQ(runner.run({"upcoming", "--days", "abc"}).err,
              "zerizedozi-cli: Vigane päevade arv 'abc': oodati täisarvu 1 kuni 366.\n");
    EXPECT_EQ(runner.run({"upcoming", "--days"}).err, "zerizedozi-cli: Võtmele --days puudub väärtus.\n");
}

}  // namespace
}  // namespace cli
