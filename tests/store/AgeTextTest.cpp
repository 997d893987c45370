// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/AgeText.h"
#include "store/ErrorTexts.h"
#include "store/StoreError.h"

#include <gtest/gtest.h>

namespace store {
namespace {

constexpr Date kToday{2026, 6, 15};

struct AgeCase {
    const char* year;
    int month;
    int day;
    const char* expected;
};

TEST(AgeText, FollowsTheAnniversaryRule) {
    const AgeCase cases[] = {
        {"1990", 6, 14, "36"}, {"1990", 6, 15, "36"},  // the birthday itself counts
        {"1990", 6, 16, "35"}, {"1990", 7, 1, "35"},  {"1990", 5, 31, "36"}, {"2026", 6, 14, "0"}, {"2026", 6, 15, "0"},
        {"2026", 6, 16, "?"},  {"2026", 12, 24, "?"}, {"2030", 1, 1, "?"},   {"", 3, 3, "?"},      {"85", 3, 1, "1941"},
        {"1990", 0, 0, "36"},  {"+1990", 6, 1, "36"}, {"-5", 1, 1, "2031"},
    };
    for (const AgeCase& c : cases)
        EXPECT_EQ(AgeText(c.year, c.month, c.day, kToday), c.expected) << c.year << "-" << c.month << "-" << c.day;
}

TEST(AgeText, TurnsOverAtTheYearAndOnLeapDays) {
    EXPECT_EQ(AgeText("2000", 1, 2, Date{2026, 1, 1}), "25");
    EXPECT_EQ(AgeText("2000", 1, 2, Date{2026, 1, 2}), "26");
    EXPECT_EQ(AgeText("2000", 1, 1, Date{2026, 1, 1}), "26");
    // Born on 29 February: in a common year the new age starts on 1 March.
    EXPECT_EQ(AgeText("2004", 2, 29, Date{2027, 2, 28}), "22");
    EXPECT_EQ(AgeText("2004", 2, 29, Date{2027, 3, 1}), "23");
    EXPECT_EQ(AgeText("2004", 2, 29, Date{2028, 2, 29}), "24");
}

TEST(AgeText, RejectsYearsThatAreNotIntegers) {
    for (const char* bad : {"abc", "19 90", " 1990", "1990x", "-", "99999999999"}) {
        try {
            AgeText(bad, 1, 1, kToday);
            ADD_FAILURE() << bad;
        } catch (const StoreError& error) {
            EXPECT_EQ(error.what(), "'" + std::string(bad) + "' is not a valid integer value");
            EXPECT_EQ(error.kind(), StoreError::Kind::NotAnInteger);
            EXPECT_EQ(storeErrorText(error, "f"), "\"" + std::string(bad) + "\" pole täisarv.");
        }
    }
}

TEST(AgeText, AgeOfRowReadsNullsAsNoYearAndDayZero) {
    EventRow row;
    row.aasta = 1990;
    row.kuu = 7;
    row.paev = 1;
    EXPECT_EQ(ageOfRow(row, kToday), "35");
    row.kuu = 6;
    row.paev = 15;
    EXPECT_EQ(ageOfRow(row, kToday), "36");
    row.paev.reset();
    EXPECT_EQ(ageOfRow(row, Date{2026, 6, 1}), "36");
    row.kuu.reset();
    EXPECT_EQ(ageOfRow(row, Date{2026, 1, 1}), "36");
    row.aasta.reset();
    row.kuu = 1;
    row.paev = 1;
    EXPECT_EQ(ageOfRow(row, kToday), "?");
}

TEST(AgeText, ReadsTheInjectedClock) {
    FixedClock clock(Date{2026, 6, 15});
    EXPECT_EQ(AgeText("2000", 6, 16, clock), "25");
    clock.set(Date{2026, 6, 16});
    EXPECT_EQ(AgeText("2000", 6, 16, clock), "26");
}

}  // namespace
}  // namespace store
