#include "cli/Reminder.h"

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

}  // namespace

std::optional<Reminder> reminderOf(const std::vector<UpcomingDate>& dates) {
    if (dates.empty()) return std::nullopt;
    const int nearest = dates.front().daysAhead;
    std::string when = daysAheadText(nearest);
    if (when[0] >= 'a' && when[0] <= 'z') when[0] = static_cast<char>(when[0] - 'a' + 'A');

    Reminder reminder;
    std::string headline;
    for (const UpcomingDate& date : dates) {
        if (date.daysAhead != nearest) {
            reminder.bodyLines.push_back(upcomingLine(date));
            continue;
        }
        if (!headline.empty()) headline += ", ";
        headline += headlineEntry(date);
    }
    reminder.summary = when + ": " + headline;
    return reminder;
}

}  // namespace cli
