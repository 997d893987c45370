// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CalendarEvent.h"

#include "cli/CalendarDays.h"
#include "cli/Upcoming.h"
#include "store/TextEncoding.h"

#include <libical/ical.h>

#include <memory>

namespace cli {

namespace {

constexpr std::string_view kOwnUidEnd = "@zerizedozi";
constexpr std::string_view kKindSeparator = " — ";
constexpr std::string_view kYearPrefix = "Aasta: ";

bool endsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

std::string textProperty(icalcomponent* event, icalproperty_kind kind) {
    icalproperty* property = icalcomponent_get_first_property(event, kind);
    if (!property) return {};
    const char* value = icalproperty_get_value_as_string(property);
    if (!value) return {};
    icalvalue* parsed = icalproperty_get_value(property);
    const char* text = parsed && icalvalue_isa(parsed) == ICAL_TEXT_VALUE ? icalvalue_get_text(parsed) : value;
    return text ? text : "";
}

// The type whose kind ends `summary` after " — ", with the name before it.
std::optional<std::pair<std::string, std::string>> ownSummary(const std::string& summary) {
    for (const store::EventType& type : store::kEventTypes) {
        const std::string kind = labelInSentence(std::string(type.label));
        if (summary == kind) return std::pair{std::string(), std::string(1, type.code)};
        const std::string end = std::string(kKindSeparator) + kind;
        if (endsWith(summary, end))
            return std::pair{summary.substr(0, summary.size() - end.size()), std::string(1, type.code)};
    }
    return std::nullopt;
}

std::optional<int> describedYear(const std::string& description) {
    const size_t at = description.find(kYearPrefix);
    if (at == std::string::npos) return std::nullopt;
    size_t end = at + kYearPrefix.size();
    int year = 0;
    int digits = 0;
    while (end < description.size() && description[end] >= '0' && description[end] <= '9' && digits < 6) {
        year = year * 10 + (description[end++] - '0');
        ++digits;
    }
    if (digits == 0) return std::nullopt;
    return year;
}

bool repeatsEveryYear(icalcomponent* event) {
    icalproperty* rule = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY);
    if (!rule || icalcomponent_get_next_property(event, ICAL_RRULE_PROPERTY)) return false;
    const icalrecurrencetype recurrence = icalproperty_get_rrule(rule);
    return recurrence.freq == ICAL_YEARLY_RECURRENCE && recurrence.interval <= 1 && recurrence.count == 0 &&
           icaltime_is_null_time(recurrence.until);
}

icalcomponent* mainEvent(icalcomponent* calendar) {
    if (icalcomponent_isa(calendar) == ICAL_VEVENT_COMPONENT) return calendar;
    for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); event;
         event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT))
        if (!icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY)) return event;
    return nullptr;
}

}  // namespace

std::optional<CalendarEvent> readCalendarEvent(std::string_view text, const std::string& knownType) {
    std::unique_ptr<icalcomponent, decltype(&icalcomponent_free)> calendar(
        icalparser_parse_string(std::string(text).c_str()), &icalcomponent_free);
    if (!calendar) return std::nullopt;
    icalcomponent* event = mainEvent(calendar.get());
    if (!event) return std::nullopt;

    CalendarEvent result;
    result.uid = textProperty(event, ICAL_UID_PROPERTY);
    if (result.uid.empty()) return std::nullopt;

    icalproperty* startProperty = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
    if (!startProperty || !repeatsEveryYear(event)) return result;
    const icaltimetype start = icalproperty_get_dtstart(startProperty);
    if (!start.is_date || !isMonthDay(start.month, start.day)) return result;

    store::EventRow row;
    const std::string summary = textProperty(event, ICAL_SUMMARY_PROPERTY);
    if (const auto own = ownSummary(summary)) {
        row.nimi = own->first;
        row.tyyp = own->second;
    } else {
        row.nimi = summary;
        row.tyyp = knownType.empty() ? "M" : knownType;
    }
    // As the list stores it, so that the row and the event stay one entry.
    row.nimi = std::string(store::utf8Prefix(row.nimi, store::kNimiWidth));
    row.paev = static_cast<std::int16_t>(start.day);
    row.kuu = static_cast<std::int16_t>(start.month);
    if (const auto year = describedYear(textProperty(event, ICAL_DESCRIPTION_PROPERTY))) {
        row.aasta = *year;
    } else if (!endsWith(result.uid, kOwnUidEnd) && (row.tyyp == "S" || row.tyyp == "T")) {
        row.aasta = start.year;
    }
    result.row = row;
    return result;
}

}  // namespace cli
