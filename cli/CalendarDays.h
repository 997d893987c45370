// SPDX-License-Identifier: GPL-3.0-or-later
// Where a yearly date falls, and the Estonian weekday names.
#pragma once

#include "store/Date.h"
#include "store/EventRecord.h"

#include <optional>
#include <string_view>

namespace cli {

// A day of the year that recurs; 29 February included.
struct MonthDay {
    int month;
    int day;
    friend bool operator==(const MonthDay&, const MonthDay&) = default;
};

// A date that may lack its year, as read from a contact.
// Valid when the year is set and the date exists in it, or when the year is
// missing and month/day form a MonthDay.
struct YearlyDate {
    std::optional<int> year;
    int month;
    int day;
    friend bool operator==(const YearlyDate&, const YearlyDate&) = default;
};

// True when day.month exists in some year (leap years included).
bool isMonthDay(int month, int day);

// The row's Paev/Kuu when both are set and form a MonthDay, else nullopt.
std::optional<MonthDay> monthDayOf(const store::EventRow& row);

// Where the yearly date falls in `year`: on itself, or on 1 March for
// 29 February in a common year. REQUIRES: isMonthDay(md.month, md.day).
store::Date occurrenceIn(int year, MonthDay md);

// The Estonian weekday name, "esmaspäev" … "pühapäev".
std::string_view weekdayName(const store::Date& date);

}  // namespace cli
