// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/Date.h"

#include <gtest/gtest.h>

namespace store {
namespace {

TEST(Date, LeapYearsAndMonthLengths) {
    EXPECT_TRUE(isLeapYear(2024));
    EXPECT_TRUE(isLeapYear(2000));
    EXPECT_FALSE(isLeapYear(1900));
    EXPECT_FALSE(isLeapYear(2026));
    EXPECT_EQ(daysInMonth(2024, 2), 29);
    EXPECT_EQ(daysInMonth(2100, 2), 28);
    EXPECT_EQ(daysInMonth(2026, 4), 30);
    EXPECT_EQ(daysInMonth(2026, 12), 31);
    EXPECT_EQ(daysInMonth(2026, 13), 0);
    EXPECT_EQ(latestLeapYear(2026), 2024);
    EXPECT_EQ(latestLeapYear(2103), 2096);  // 2100 is no leap year
    EXPECT_EQ(latestLeapYear(2000), 2000);
    EXPECT_EQ(latestLeapYear(3), 0);
}

TEST(Date, AddingDaysCrossesLeapDaysAndYearEnds) {
    EXPECT_EQ(addDays({2024, 2, 28}, 1), (Date{2024, 2, 29}));
    EXPECT_EQ(addDays({2026, 2, 28}, 1), (Date{2026, 3, 1}));
    EXPECT_EQ(addDays({2024, 3, 1}, -1), (Date{2024, 2, 29}));
    EXPECT_EQ(addDays({2025, 12, 28}, 13), (Date{2026, 1, 10}));
    EXPECT_EQ(addDays({2026, 1, 1}, -1), (Date{2025, 12, 31}));
    EXPECT_EQ(addDays({2024, 2, 29}, 365), (Date{2025, 2, 28}));
    EXPECT_EQ(addDays({1, 1, 1}, 0), (Date{1, 1, 1}));
}

TEST(Date, DaysBetweenAndWeekdays) {
    EXPECT_EQ(daysBetween({2025, 12, 31}, {2027, 1, 1}), 366);
    EXPECT_EQ(daysBetween({2024, 1, 1}, {2025, 1, 1}), 366);
    EXPECT_EQ(daysBetween({2025, 1, 1}, {2024, 1, 1}), -366);
    EXPECT_EQ(daysBetween({2024, 2, 28}, {2024, 3, 1}), 2);
    EXPECT_EQ(weekday({2026, 3, 2}), 0);   // a Monday
    EXPECT_EQ(weekday({2000, 2, 29}), 1);  // a Tuesday
    EXPECT_EQ(weekday({1918, 2, 24}), 6);  // a Sunday
    EXPECT_EQ(weekday({2027, 1, 1}), 4);   // a Friday
}

}  // namespace
}  // namespace store
