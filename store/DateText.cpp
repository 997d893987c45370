// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/DateText.h"

#include <algorithm>
#include <string>
#include <vector>

namespace store {

namespace {

// The runs of digits between the points: "5.3.1980" -> {"5", "3", "1980"}.
// Empty when the text has any other shape.
std::vector<std::string_view> splitParts(std::string_view text) {
    if (!text.empty() && text.back() == '.') text.remove_suffix(1);
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] >= '0' && text[i] <= '9') continue;
        if (i < text.size() && text[i] != '.') return {};
        if (i == start || parts.size() == 3) return {};
        parts.push_back(text.substr(start, i - start));
        start = i + 1;
    }
    if (parts.size() < 2) return {};
    return parts;
}

// The number of a run of digits; -1 when it has more than nine digits.
int number(std::string_view digits) {
    if (digits.size() > 9) return -1;
    int value = 0;
    for (char c : digits) value = value * 10 + (c - '0');
    return value;
}

int fullYear(std::string_view digits, int thisYear) {
    const int written = number(digits);
    if (digits.size() > 2) return written;
    const int windowStart = thisYear - 50;
    int year = windowStart - windowStart % 100 + written;
    if (year < windowStart) year += 100;
    return year;
}

}  // namespace

std::optional<Date> readDateText(std::string_view text, const Date& today) {
    const auto parts = splitParts(text);
    if (parts.empty()) return std::nullopt;
    const int day = number(parts[0]);
    const int month = number(parts[1]);
    if (parts.size() == 3) {
        const int year = fullYear(parts[2], today.year);
        if (!isValidDate(year, month, day)) return std::nullopt;
        return Date{year, month, day};
    }
    return yearlessDate(month, day, today);
}

std::string wholeYearText(std::string_view yearText, int thisYear) {
    const bool shortYear = !yearText.empty() && yearText.size() <= 2 &&
                           std::all_of(yearText.begin(), yearText.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!shortYear) return std::string(yearText);
    return std::to_string(fullYear(yearText, thisYear));
}

std::optional<Date> yearlessDate(int month, int day, const Date& today) {
    if (isValidDate(today.year, month, day)) return Date{today.year, month, day};
    if (month == 2 && day == 29) {
        const int year = latestLeapYear(today.year - 1);
        if (year > 0) return Date{year, month, day};
    }
    return std::nullopt;
}

}  // namespace store
