// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/DateText.h"

#include <gtest/gtest.h>

namespace store {
namespace {

constexpr Date k2026{2026, 6, 15};

std::optional<Date> read(const char* text, Date today = k2026) { return readDateText(text, today); }

TEST(DateText, ReadsDayMonthAndYear) {
    EXPECT_EQ(read("5.3.1980"), (Date{1980, 3, 5}));
    EXPECT_EQ(read("05.03.1980"), (Date{1980, 3, 5}));
    EXPECT_EQ(read("5.3.1980."), (Date{1980, 3, 5}));
    EXPECT_EQ(read("5.3"), (Date{2026, 3, 5}));
    EXPECT_EQ(read("5.3."), (Date{2026, 3, 5}));
    EXPECT_EQ(read("31.12.9999"), (Date{9999, 12, 31}));
}

TEST(DateText, PlacesShortYearsInAWindowAroundToday) {
    EXPECT_EQ(read("1.1.80"), (Date{1980, 1, 1}));
    EXPECT_EQ(read("1.1.76"), (Date{1976, 1, 1}));
    EXPECT_EQ(read("1.1.75"), (Date{2075, 1, 1}));
    EXPECT_EQ(read("1.1.0"), (Date{2000, 1, 1}));
    EXPECT_EQ(read("1.1.00"), (Date{2000, 1, 1}));
    EXPECT_EQ(read("1.1.980"), (Date{980, 1, 1}));
    EXPECT_EQ(read("1.1.0980"), (Date{980, 1, 1}));
    EXPECT_EQ(read("1.1.80", Date{2100, 1, 1}), (Date{2080, 1, 1}));

    // The same window for the year text alone, as the editor shows its age.
    EXPECT_EQ(wholeYearText("80", 2026), "1980");
    EXPECT_EQ(wholeYearText("5", 2026), "2005");
    EXPECT_EQ(wholeYearText("75", 2026), "2075");
    EXPECT_EQ(wholeYearText("980", 2026), "980");
    EXPECT_EQ(wholeYearText("", 2026), "");
    EXPECT_EQ(wholeYearText("8x", 2026), "8x");
}

TEST(DateText, RefusesDatesThatDoNotExist) {
    for (const char* bad : {"31.2", "31.2.2026", "29.2.2026", "29.2.1900", "0.1.2000", "1.0.2000", "1.13.2000",
                            "1.1.0000", "1.1.000", "32.1.2000", "31.4.2000", "1.1.10000"})
        EXPECT_FALSE(read(bad)) << bad;
    EXPECT_EQ(read("29.2.2000"), (Date{2000, 2, 29}));
}

TEST(DateText, AcceptsALeapDayWithoutAYearInAnyYear) {
    EXPECT_EQ(read("29.2"), (Date{2024, 2, 29}));
    EXPECT_EQ(read("29.2", Date{2028, 1, 1}), (Date{2028, 2, 29}));
    EXPECT_EQ(read("29.2", Date{2101, 1, 1}), (Date{2096, 2, 29}));
    EXPECT_FALSE(read("30.2"));
}

TEST(DateText, RefusesOtherShapes) {
    for (const char* bad : {"", ".", "5", "5.", "5..3", ".5.3", "5.3..", "5.3.1980.1", "a.b", "5.3.19a0", " 5.3",
                            "5.3 ", "5/3", "-5.3", "5.3.-1", "99999999999.1", "1.1.99999999999"})
        EXPECT_FALSE(read(bad)) << '"' << bad << '"';
}

}  // namespace
}  // namespace store
