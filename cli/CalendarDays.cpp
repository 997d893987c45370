#include "cli/CalendarDays.h"

#include <array>

namespace cli {

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's method).
long daysFromCivil(const store::Date& date) {
    const long y = date.year - (date.month <= 2 ? 1 : 0);
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yearOfEra = y - era * 400;
    const long dayOfYear = (153 * (date.month + (date.month > 2 ? -3 : 9)) + 2) / 5 + date.day - 1;
    const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

store::Date civilFromDays(long days) {
    days += 719468;
    const long era = (days >= 0 ? days : days - 146096) / 146097;
    const long dayOfEra = days - era * 146097;
    const long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long shiftedMonth = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
    return {year, month, day};
}

constexpr std::array<std::string_view, 7> kWeekdays = {
    "esmaspäev", "teisipäev", "kolmapäev", "neljapäev", "reede", "laupäev", "pühapäev"};

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

int latestLeapYear(int year) {
    while (!store::isLeapYear(year)) --year;
    return year;
}

store::Date addDays(const store::Date& date, int days) { return civilFromDays(daysFromCivil(date) + days); }

int daysBetween(const store::Date& from, const store::Date& to) {
    return static_cast<int>(daysFromCivil(to) - daysFromCivil(from));
}

std::string_view weekdayName(const store::Date& date) {
    // 1970-01-01 was a Thursday (index 3 from Monday).
    const long days = daysFromCivil(date);
    const long index = ((days % 7) + 7 + 3) % 7;
    return kWeekdays[static_cast<size_t>(index)];
}

}  // namespace cli
