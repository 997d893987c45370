#include "cli/IcsExport.h"

#include <libical/ical.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

#include "cli/CalendarDays.h"
#include "cli/CliError.h"
#include "cli/Upcoming.h"

namespace cli {

namespace {

std::string identityOf(const store::EventRow& row) {
    auto number = [](const auto& value) { return value ? std::to_string(*value) : std::string(); };
    // The unit separator cannot occur in a name read from the data file.
    return row.nimi + '\x1f' + number(row.paev) + '\x1f' + number(row.kuu) + '\x1f' + number(row.aasta) + '\x1f' +
           row.tyyp;
}

std::uint64_t fnv1a(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

// TEXT values may hold tabs and line breaks but no other control characters.
// Blanks at either end are left out: calendar readers (libical among them)
// drop them from the line, and the text cannot escape them.
std::string withoutControls(std::string text) {
    for (char& c : text)
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n') || c == '\x7f') c = ' ';
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The years whose dates the calendar library writes as dates: before year 2
// or after 3000 it writes no date at all, or a date-time of zeros.
constexpr int kFirstStartYear = 2;
constexpr int kLastStartYear = 2999;

bool isStartYear(int year) { return year >= kFirstStartYear && year <= kLastStartYear; }

// The event's first year: the row's year, else the year it was saved in,
// else this year; a year the calendar cannot carry counts as none.
int startYear(const store::EventRow& row, MonthDay md, const store::Date& today) {
    if (row.aasta && isStartYear(*row.aasta) && store::isValidDate(*row.aasta, md.month, md.day)) return *row.aasta;
    const int base = row.kuup && isStartYear(row.kuup->year) ? row.kuup->year : today.year;
    if (md.month == 2 && md.day == 29) return store::latestLeapYear(std::max(base, 4));
    return base;
}

icaltimetype icalDate(const store::Date& date) {
    icaltimetype time = icaltime_null_date();
    time.year = date.year;
    time.month = date.month;
    time.day = date.day;
    return time;
}

std::string summaryOf(const store::EventRow& row) {
    std::string name = withoutControls(row.nimi);
    const auto label = store::typeLabel(row.tyyp);
    if (!label) return name;
    const std::string kind = labelInSentence(std::string(*label));
    return name.empty() ? kind : name + " — " + kind;
}

icalcomponent* newAlarm(int daysBefore, const std::string& text) {
    icaldurationtype before = icaldurationtype_null_duration();
    before.is_neg = daysBefore > 0;
    before.days = static_cast<unsigned int>(daysBefore);
    icaltriggertype trigger{};
    trigger.time = icaltime_null_time();
    trigger.duration = before;

    icalcomponent* alarm = icalcomponent_new_valarm();
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
    icalcomponent_add_property(alarm, icalproperty_new_description(text.c_str()));
    return alarm;
}

icalcomponent* newEvent(const store::EventRow& row, MonthDay md, const store::Date& today, int occurrence,
                        std::optional<int> alarmDays) {
    const store::Date start{startYear(row, md, today), md.month, md.day};
    const bool leapDay = md.month == 2 && md.day == 29;

    icaltimetype stamp = icaltime_null_time();
    stamp.year = today.year;
    stamp.month = today.month;
    stamp.day = today.day;
    stamp.zone = icaltimezone_get_utc_timezone();

    icalcomponent* event = icalcomponent_new_vevent();
    icalcomponent_add_property(event, icalproperty_new_uid(eventUid(row, occurrence).c_str()));
    icalcomponent_add_property(event, icalproperty_new_dtstamp(stamp));
    icalcomponent_add_property(event, icalproperty_new_dtstart(icalDate(start)));
    icalcomponent_add_property(event, icalproperty_new_dtend(icalDate(store::addDays(start, 1))));
    icalcomponent_add_property(event, icalproperty_new_rrule(icalrecurrencetype_from_string(
                                          leapDay ? "FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=-1" : "FREQ=YEARLY")));
    const std::string summary = summaryOf(row);
    icalcomponent_add_property(event, icalproperty_new_summary(summary.c_str()));
    if (row.aasta)
        icalcomponent_add_property(event,
                                   icalproperty_new_description(("Aasta: " + std::to_string(*row.aasta)).c_str()));
    if (const auto label = store::typeLabel(row.tyyp))
        icalcomponent_add_property(event, icalproperty_new_categories(std::string(*label).c_str()));
    icalcomponent_add_property(event, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    if (alarmDays) icalcomponent_add_component(event, newAlarm(*alarmDays, summary));
    return event;
}

}  // namespace

std::string eventUid(const store::EventRow& row, int occurrence) {
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(fnv1a(identityOf(row))));
    return std::string(hash) + "-" + std::to_string(occurrence) + "@zerizedozi";
}

IcsCalendar icsCalendar(const std::vector<store::EventRow>& rows, const store::Date& today,
                        std::optional<int> alarmDays) {
    std::unique_ptr<icalcomponent, decltype(&icalcomponent_free)> calendar(icalcomponent_new_vcalendar(),
                                                                           &icalcomponent_free);
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid("-//Tarvalind//Zerizedozi//ET"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));

    IcsCalendar result;
    std::map<std::string, int> seen;
    for (const store::EventRow& row : rows) {
        const std::optional<MonthDay> md = monthDayOf(row);
        if (!md) continue;
        const int occurrence = ++seen[identityOf(row)];
        icalcomponent_add_component(calendar.get(), newEvent(row, *md, today, occurrence, alarmDays));
        ++result.eventCount;
    }

    std::unique_ptr<char, decltype(&std::free)> text(icalcomponent_as_ical_string_r(calendar.get()), &std::free);
    if (text) result.text = text.get();
    return result;
}

int parseAlarmDays(const std::string& text) {
    const bool digits = !text.empty() && text.size() <= 3 &&
                        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    const int days = digits ? std::stoi(text) : -1;
    if (days < 0 || days > kMaxAlarmDays)
        throw CliError("Vigane meeldetuletuse päevade arv '" + text + "': oodati täisarvu 0 kuni " +
                       std::to_string(kMaxAlarmDays) + ".");
    return days;
}

}  // namespace cli
