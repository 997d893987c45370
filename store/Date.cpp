// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/Date.h"

#include <chrono>
#include <cstdio>

namespace store {

namespace {

std::chrono::sys_days toDays(const Date& date) {
    return std::chrono::year_month_day(std::chrono::year(date.year),
                                       std::chrono::month(static_cast<unsigned>(date.month)),
                                       std::chrono::day(static_cast<unsigned>(date.day)));
}

Date fromDays(std::chrono::sys_days days) {
    const std::chrono::year_month_day date(days);
    return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day()))};
}

}  // namespace

bool isLeapYear(int year) { return std::chrono::year(year).is_leap(); }

int latestLeapYear(int year) {
    while (!isLeapYear(year)) --year;
    return year;
}

int daysInMonth(int year, int month) {
    if (month < 1 || month > 12) return 0;
    const auto last = std::chrono::year(year) / std::chrono::month(static_cast<unsigned>(month)) / std::chrono::last;
    return static_cast<int>(static_cast<unsigned>(last.day()));
}

bool isValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && day >= 1 && day <= daysInMonth(year, month);
}

std::string formatDate(const Date& d) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", d.day, d.month, d.year);
    return text;
}

Date addDays(const Date& date, int days) { return fromDays(toDays(date) + std::chrono::days(days)); }

int daysBetween(const Date& from, const Date& to) { return static_cast<int>((toDays(to) - toDays(from)).count()); }

int weekday(const Date& date) { return static_cast<int>(std::chrono::weekday(toDays(date)).iso_encoding()) - 1; }

}  // namespace store
