// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Upcoming.h"

#include "cli/CalendarDays.h"
#include "cli/CliError.h"

#include <algorithm>
#include <cstdio>

namespace cli {

UpcomingWindow::UpcomingWindow(const store::Date& today, int days)
    : first_(today), last_(store::addDays(today, days - 1)) {}

bool UpcomingWindow::operator()(const store::EventRow& row) const {
    const std::optional<MonthDay> md = monthDayOf(row);
    if (!md) return false;
    for (int year = first_.year; year <= last_.year; ++year)
        if (contains(occurrenceIn(year, *md))) return true;
    return false;
}

std::vector<UpcomingDate> upcomingDates(const std::vector<store::EventRow>& rows, const store::Date& today, int days) {
    const UpcomingWindow window(today, days);
    const store::Date lastDay = store::addDays(today, days - 1);
    std::vector<UpcomingDate> found;
    for (const store::EventRow& row : rows) {
        const std::optional<MonthDay> md = monthDayOf(row);
        if (!md) continue;
        for (int year = today.year; year <= lastDay.year; ++year) {
            const store::Date date = occurrenceIn(year, *md);
            if (!window.contains(date)) continue;
            std::optional<int> turns;
            if (row.aasta && *row.aasta < year) turns = year - *row.aasta;
            found.push_back({date, store::daysBetween(today, date), row.nimi,
                             std::string(store::typeLabel(row.tyyp).value_or(row.tyyp)), turns});
        }
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const UpcomingDate& a, const UpcomingDate& b) { return a.date < b.date; });
    return found;
}

std::string upcomingLine(const UpcomingDate& date) {
    char day[16];
    std::snprintf(day, sizeof day, "%02d.%02d.", date.date.day, date.date.month);
    std::string line = std::string(day) + " " + std::string(weekdayName(date.date)) + ", ";
    line += daysAheadText(date.daysAhead);
    line += ": " + oneLineName(date.name);

    std::string details = date.type;
    if (date.turns) details += (details.empty() ? "" : ", ") + std::string("saab ") + std::to_string(*date.turns);
    if (!details.empty()) line += " (" + details + ")";
    return line;
}

std::string daysAheadText(int daysAhead) {
    if (daysAhead == 0) return "täna";
    if (daysAhead == 1) return "homme";
    return std::to_string(daysAhead) + " päeva pärast";
}

std::string labelInSentence(std::string label) {
    if (!label.empty() && label[0] >= 'A' && label[0] <= 'Z') label[0] = static_cast<char>(label[0] - 'A' + 'a');
    return label;
}

std::string oneLineName(const std::string& name) {
    std::string line;
    line.reserve(name.size());
    for (const char c : name) line += static_cast<unsigned char>(c) < 0x20 || c == '\x7f' ? ' ' : c;
    return line;
}

std::string nothingUpcomingLine(int days) {
    if (days == 1) return "Täna pole ühtegi tähtpäeva.";
    return "Järgmise " + std::to_string(days) + " päeva jooksul pole ühtegi tähtpäeva.";
}

int parseUpcomingDays(const std::string& text) {
    const bool digits = !text.empty() && text.size() <= 3 &&
                        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    const int days = digits ? std::stoi(text) : 0;
    if (days < 1 || days > kMaxUpcomingDays)
        throw CliError("Vigane päevade arv '" + text + "': oodati täisarvu 1 kuni " + std::to_string(kMaxUpcomingDays) +
                       ".");
    return days;
}

}  // namespace cli
