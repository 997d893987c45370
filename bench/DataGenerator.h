// SPDX-License-Identifier: GPL-3.0-or-later
// Realistic data files for the benchmarks: an Estonian family calendar
// blown up to any size. Names combine ~60 first and ~60 family names (with
// õ ä ö ü š ž; so names repeat), years run from 1900 to 2026 with about 15%
// left empty, all four types occur (mostly birthdays), and every date exists.
#pragma once

#include "store/Date.h"
#include "store/EventRecord.h"

#include <string>
#include <vector>

namespace bench {

// The benchmarks' today, for ages.
inline constexpr store::Date kToday{2026, 3, 5};

// `count` rows; the same rows for the same count and seed.
std::vector<store::EventRow> generateRows(int count, unsigned seed = 2026);

// The same kind of rows, but every name differs from every other, as in a
// real list: given names (some double, "Mari-Liis") and family names made of
// an Estonian stem and ending ("Kõivupuu", "Mäesalu"), over a million kinds.
std::vector<store::EventRow> generateDistinctRows(int count, unsigned seed = 2026);

// A data file of generateRows(count), written on the first call for that
// count into a temporary folder that is removed when the program ends.
const std::string& dataFileOf(int count);

// A fresh copy of dataFileOf(count) for a benchmark that writes, in the same
// temporary folder; its path.
std::string scratchCopyOf(int count);

}  // namespace bench
