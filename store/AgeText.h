// SPDX-License-Identifier: GPL-3.0-or-later
// The age rule: how old an event is today, as the text the list, the age
// filter, the editor and the report all show.
#pragma once

#include "store/Clock.h"
#include "store/EventRecord.h"

#include <string>
#include <string_view>

namespace store {

// The age of an event of year `yearText`, `month`, `day` on `today`:
//   "" year text          -> "?"
//   not an integer        -> throws ConversionError
//   otherwise n = today.year - year, less one while the anniversary of this
//   year is still ahead (today's month before `month`, or the same month and
//   today's day before `day`); the anniversary itself counts as reached.
//   A negative n gives "?", else n in decimal digits.
// A 29 February event in a common year goes up on 1 March. Month and day are
// not validated: 0 never counts as later in the year.
std::string AgeText(std::string_view yearText, int month, int day, const Date& today);
inline std::string AgeText(std::string_view yearText, int month, int day, const Clock& clock) {
    return AgeText(yearText, month, day, clock.today());
}

// The age of a stored row by the rule above: Aasta as the year text ("" when
// null), Kuu and Paev as month and day (0 when null).
std::string ageOfRow(const EventRow& row, const Date& today);
inline std::string ageOfRow(const EventRow& row, const Clock& clock) { return ageOfRow(row, clock.today()); }

}  // namespace store
