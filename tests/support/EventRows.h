// SPDX-License-Identifier: GPL-3.0-or-later
// Rows as the window program stores them, for tests.
#pragma once

#include "store/EventRecord.h"

#include <optional>
#include <ostream>
#include <string>

// Kuup is the date in its year, or in `yearlessYear` for a date without one;
// a date that does not exist has no Kuup.
inline store::EventRow eventRow(std::string name, int day, int month, std::optional<int> year, std::string type = "S",
                                int yearlessYear = 2024) {
    store::EventRow row;
    row.nimi = std::move(name);
    row.paev = static_cast<std::int16_t>(day);
    row.kuu = static_cast<std::int16_t>(month);
    row.aasta = year;
    row.tyyp = std::move(type);
    const int kuupYear = year.value_or(yearlessYear);
    if (store::isValidDate(kuupYear, month, day)) row.kuup = store::Date{kuupYear, month, day};
    return row;
}

namespace store {
// How a failing test shows a row: "Mari|5|3|1986|S".
inline void PrintTo(const EventRow& row, std::ostream* out) {
    auto number = [](const auto& value) { return value ? std::to_string(*value) : std::string("-"); };
    *out << row.nimi << '|' << number(row.paev) << '|' << number(row.kuu) << '|' << number(row.aasta) << '|'
         << row.tyyp;
}
}  // namespace store
// An entry as tests list them: day, month, year (none for a yearly date),
// name and type code.
struct Entry {
    int day, month;
    std::optional<int> year;
    std::string name;
    std::string type = "S";
};
