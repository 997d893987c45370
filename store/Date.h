// SPDX-License-Identifier: GPL-3.0-or-later
// A calendar date of the proleptic Gregorian calendar, and the small rules the
// program needs about it. Plain value type; no time zone, no time of day.
#pragma once

#include <compare>
#include <string>

namespace store {

struct Date {
    int year = 1;
    int month = 1;
    int day = 1;

    // NOLINTNEXTLINE(modernize-use-nullptr): clang-tidy 14 misreads a defaulted <=>
    friend auto operator<=>(const Date&, const Date&) = default;
};

// Years as std::chrono::year holds them: −32767 … 32767.
bool isLeapYear(int year);

// The latest leap year not after `year` (year 0 counts as leap).
int latestLeapYear(int year);

// Days in the month of that year; 0 for a month outside 1..12.
int daysInMonth(int year, int month);

// True for year 1..9999, month 1..12 and a day that exists in that month.
bool isValidDate(int year, int month, int day);
inline bool isValid(const Date& d) { return isValidDate(d.year, d.month, d.day); }

// "dd.mm.yyyy", the program's short date format (year at least four digits).
std::string formatDate(const Date& d);

// Day arithmetic. REQUIRES: isValid(date) for every date given, and results
// within years 1..9999.

// `days` days after (before, when negative) `date`.
Date addDays(const Date& date, int days);

// Whole days from `from` to `to`; negative when `to` comes first.
int daysBetween(const Date& from, const Date& to);

// The day of the week: 0 Monday … 6 Sunday.
int weekday(const Date& date);

}  // namespace store
