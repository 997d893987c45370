// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/EstonianHolidays.h"
#include "store/DataPacket.h"
#include "tests/cli/CliTestSupport.h"
#include "tests/support/FaultyFileSystem.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace cli {
namespace {

using testing::CommandRunner;
using testing::eventRow;

TEST(EstonianHolidays, FixedDaysOnlyEachOnceInCalendarOrder) {
    std::map<std::pair<int, int>, std::string> byDate;  // (month, day)
    std::set<std::string> names;
    std::pair<int, int> previous{0, 0};
    for (const NewEntry& entry : estonianHolidays()) {
        EXPECT_EQ(entry.type, 'T');
        EXPECT_FALSE(entry.date.year) << entry.name;
        const std::pair<int, int> date{entry.date.month, entry.date.day};
        EXPECT_LT(previous, date) << entry.name;
        previous = date;
        byDate[date] = entry.name;
        EXPECT_TRUE(names.insert(entry.name).second) << entry.name;
    }
    // The national day and the public holidays on a fixed date.
    const std::map<std::pair<int, int>, std::string> publicHolidays = {
        {{1, 1}, "Uusaasta"},          {{2, 24}, "Iseseisvuspäev, Eesti Vabariigi aastapäev"},
        {{5, 1}, "Kevadpüha"},         {{6, 23}, "Võidupüha"},
        {{6, 24}, "Jaanipäev"},        {{8, 20}, "Taasiseseisvumispäev"},
        {{12, 24}, "Jõululaupäev"},    {{12, 25}, "Esimene jõulupüha"},
        {{12, 26}, "Teine jõulupüha"},
    };
    for (const auto& [date, name] : publicHolidays) EXPECT_EQ(byDate[date], name);
    EXPECT_EQ(byDate[std::pair(2, 2)], "Tartu rahulepingu aastapäev");
    EXPECT_EQ(byDate[std::pair(6, 14)], "Leinapäev");
    EXPECT_EQ(byDate.size(), 25u);
}

// A holiday the list holds, with a year (the first one) or without, is not
// added again; one of another type is not that holiday.
TEST(AddHolidays, AddsTheDaysWithoutAYearOnceOnly) {
    FaultyFileSystem files;
    CommandRunner runner({2026, 3, 5}, files);
    runner.writeRows({eventRow("Uusaasta", 1, 1, std::nullopt, "T"), eventRow("Võidupüha", 23, 6, 1919, "T"),
                      eventRow("Jaanipäev", 24, 6, std::nullopt, "M")});

    const testing::RunResult first = runner.run({"add-holidays"});
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, "Lisatud 23, vahele jäetud 2.\n");
    const std::vector<store::EventRow> rows = store::readDataPacket(readFile(runner.dataFile()));
    ASSERT_EQ(rows.size(), 26u);
    for (size_t i = 3; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].tyyp, "T");
        EXPECT_FALSE(rows[i].aasta) << rows[i].nimi;
        ASSERT_TRUE(rows[i].kuup);
        EXPECT_EQ(*rows[i].kuup, (store::Date{2026, *rows[i].kuu, *rows[i].paev}));
    }
    EXPECT_EQ(rows[3].nimi, "Vabadussõjas võidelnute mälestuspäev");
    EXPECT_EQ(files.replaceCalls, 1);

    EXPECT_EQ(runner.run({"add-holidays"}).out, "Lisatud 0, vahele jäetud 25.\n");
    EXPECT_EQ(files.replaceCalls, 1);
}

}  // namespace
}  // namespace cli
