// SPDX-License-Identifier: GPL-3.0-or-later
// The days of the Estonian calendar that fall on the same date every year:
// the national day and public holidays, the days of national importance and
// the flag days. Movable ones (Easter, Pentecost, Mother's Day …) are not
// among them.
#pragma once

#include "cli/NewEntries.h"

#include <vector>

namespace cli {

// Each such day once, in calendar order, as a Tähtpäev ('T') without a
// year, named as Estonian calendars write it ("Iseseisvuspäev, Eesti
// Vabariigi aastapäev").
std::vector<NewEntry> estonianHolidays();

}  // namespace cli
