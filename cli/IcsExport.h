// SPDX-License-Identifier: GPL-3.0-or-later
// The `export-ics` calendar: every yearly date as a recurring all-day event
// of an iCalendar file (RFC 5545), its lines escaped and folded as the
// calendar library libical writes them.
#pragma once

#include "cli/TextSink.h"
#include "store/Date.h"
#include "store/EventRecord.h"

#include <optional>
#include <string>
#include <vector>

namespace cli {

struct IcsCalendar {
    std::string text;  // CRLF line ends, lines folded at 75 octets
    int eventCount = 0;
};

inline constexpr int kMaxAlarmDays = 365;

// One VEVENT per row with a valid day and month (others are left out):
// DTSTART;VALUE=DATE in the row's year when the date exists in it, else in
// the year of its Kuup, else in today's year (a leap year at or before it
// for 29 February); only the years 2 to 2999 count there, as the calendar
// carries no others; RRULE FREQ=YEARLY, for 29 February on the last day of
// February; UID from eventUid; SUMMARY the name (without blanks at its
// ends) and the kind of date,
// "Mari Maasikas — sünnipäev" (the name alone for an unknown type);
// CATEGORIES the type label; DESCRIPTION "Aasta: <year>" for a row with a
// year. DTSTAMP is today at 00:00 UTC, so the same rows give the same file
// all day. With `alarmDays`, each event carries a VALARM that shows its
// SUMMARY that many days before the date (TRIGGER -P<n>D; PT0S for 0).
// The calendar goes to `sink` in pieces of some kTextPieceSize; returns the number
// of events. REQUIRES: `rows` in the list's order (cli/ListRows), where rows
// equal in name, day, month and year stand together, so that equal rows get
// their occurrences counted without a table of every row.
int writeIcsCalendar(const std::vector<store::EventRow>& rows, const store::Date& today, std::optional<int> alarmDays,
                     const TextSink& sink);

// The calendar of writeIcsCalendar as one text.
IcsCalendar icsCalendar(const std::vector<store::EventRow>& rows, const store::Date& today,
                        std::optional<int> alarmDays = std::nullopt);

// A calendar holding the one event icsCalendar would write for `row`, with
// the UID `uid`; empty for a row without a valid day and month.
std::string eventIcs(const store::EventRow& row, const std::string& uid, const store::Date& today,
                     std::optional<int> alarmDays = std::nullopt);

// Reads the value of --alarm. Throws CliError unless it is a whole number
// from 0 to kMaxAlarmDays.
int parseAlarmDays(const std::string& text);

// "<16 hex digits>-<occurrence>@zerizedozi": a hash of the name, day, month,
// year and type, and the 1-based count of rows equal in those so far.
// The same rows in the same order give the same UIDs.
std::string eventUid(const store::EventRow& row, int occurrence);

}  // namespace cli
