// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/AgeText.h"

#include "store/IntegerText.h"

#include <string>

namespace store {

std::string AgeText(std::string_view yearText, int month, int day, const Date& today) {
    if (yearText.empty()) return "?";
    long long n = static_cast<long long>(today.year) - parseInteger(yearText);
    if (today.month < month || (today.month == month && today.day < day)) --n;
    return n < 0 ? "?" : std::to_string(n);
}

std::string ageOfRow(const EventRow& row, const Date& today) {
    const std::string year = row.aasta ? std::to_string(*row.aasta) : std::string();
    return AgeText(year, row.kuu.value_or(0), row.paev.value_or(0), today);
}

}  // namespace store
