// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Reminder.h"

#include "cli/ControlCharacters.h"
#include "store/EventRecord.h"

namespace cli {

namespace {

// "Mari Maasikas (saab 40)": the age tells that it is a birthday. Any other
// date names its kind: "Jüri (nimepäev)".
std::string headlineEntry(const UpcomingDate& date) {
    const std::string name = oneLineName(date.name);
    if (date.type == store::typeLabel("S") && date.turns) return name + " (saab " + std::to_string(*date.turns) + ")";
    std::string details = labelInSentence(date.type);
    if (date.turns) details += (details.empty() ? "" : ", ") + std::string("saab ") + std::to_string(*date.turns);
    return details.empty() ? name : name + " (" + details + ")";
}

// "ja veel N": the dates left unnamed.
std::string andMore(size_t count) { return "ja veel " + std::to_string(count); }

}  // namespace

std::optional<Reminder> reminderOf(const std::vector<UpcomingDate>& dates) {
    if (dates.empty()) return std::nullopt;
    const int nearest = dates.front().daysAhead;
    std::string when = daysAheadText(nearest);
    if (when[0] >= 'a' && when[0] <= 'z') when[0] = static_cast<char>(when[0] - 'a' + 'A');

    Reminder reminder;
    std::string headline;
    size_t headlineDates = 0;
    size_t laterDates = 0;
    for (const UpcomingDate& date : dates) {
        if (date.daysAhead != nearest) {
            if (++laterDates <= kMostBodyLines)
                reminder.bodyLines.push_back(escapeControlCharacters(upcomingLine(date)));
            continue;
        }
        if (++headlineDates > kMostHeadlineDates) continue;
        if (!headline.empty()) headline += ", ";
        headline += headlineEntry(date);
    }
    if (headlineDates > kMostHeadlineDates) headline += " " + andMore(headlineDates - kMostHeadlineDates);
    if (laterDates > kMostBodyLines) reminder.bodyLines.push_back(andMore(laterDates - kMostBodyLines));
    reminder.summary = when + ": " + escapeControlCharacters(headline);
    return reminder;
}

}  // namespace cli
