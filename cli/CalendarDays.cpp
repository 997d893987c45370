// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CalendarDays.h"

#include <array>

namespace cli {

namespace {

constexpr std::array<std::string_view, 7> kWeekdays = {"esmaspäev", "teisipäev", "kolmapäev", "neljapäev",
                                                       "reede",     "laupäev",   "pühapäev"};

}  // namespace

bool isMonthDay(int month, int day) { return store::isValidDate(2000, month, day); }

std::optional<MonthDay> monthDayOf(const store::EventRow& row) {
    if (!row.kuu || !row.paev || !isMonthDay(*row.kuu, *row.paev)) return std::nullopt;
    return MonthDay{*row.kuu, *row.paev};
}

store::Date occurrenceIn(int year, MonthDay md) {
    if (md.month == 2 && md.day == 29 && !store::isLeapYear(year)) return {year, 3, 1};
    return {year, md.month, md.day};
}

std::string_view weekdayName(const store::Date& date) { return kWeekdays[static_cast<size_t>(store::weekday(date))]; }

}  // namespace cli
