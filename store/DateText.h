// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the date the editor builds from its fields: "day.month[.year]",
// with one trailing "." tolerated and nothing else around it.
#pragma once

#include "store/Date.h"

#include <optional>
#include <string>
#include <string_view>

namespace store {

// - A one- or two-digit year lies in the window from today's year − 50 to
//   + 49 ("80" in 2026 is 1980, "75" is 2075); three or four digits are the
//   year as written ("0980" is 980). Year 0 and years past 9999 are refused.
// - Without a year the date falls in today's year. A 29 February is still
//   accepted then: it falls on the latest leap year before today's year when
//   today's year has none.
// - The date must exist in the Gregorian calendar.
// nullopt when the text is no such date.
std::optional<Date> readDateText(std::string_view text, const Date& today);

// The year that a typed year text stands for by the rule above, as text:
// "80" in 2026 is "1980". Any other text comes back as written.
std::string wholeYearText(std::string_view yearText, int thisYear);

// The full date stored for a day and month without a year, by the rule above:
// in today's year, or for 29 February in a common year the latest leap year
// before it. nullopt when the day exists in no such year.
std::optional<Date> yearlessDate(int month, int day, const Date& today);

}  // namespace store
