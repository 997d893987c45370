// SPDX-License-Identifier: GPL-3.0-or-later
// Reading one event of a calendar file, as a phone or another calendar
// wrote it, back into a row of the list. CalendarEvent.cpp reads it with
// libical; zerizedozi-cli gets that code from a module (LoadedModules.h).
#pragma once

#include "store/EventRecord.h"

#include <optional>
#include <string>
#include <string_view>

namespace cli {

struct CalendarEvent {
    std::string uid;
    // The row it stands for (without Kuup); nullopt for an event that does
    // not repeat every year or has a time of day, which the list leaves alone.
    std::optional<store::EventRow> row;
};

// The first VEVENT of `text`; nullopt when there is none or the text is no
// calendar. The SUMMARY "Nimi — sünnipäev" (or tähtpäev, nimepäev, muu)
// gives name and type (the name cut to the list's kNimiWidth characters);
// any other SUMMARY is the name, with `knownType`
// (the type the row had before) or else "M". DTSTART gives day and month;
// the year comes from the DESCRIPTION line "Aasta: N", or, for an event
// this program did not write (its UID not ending in "@zerizedozi"), from
// DTSTART for a birthday or a red-letter day.
std::optional<CalendarEvent> readCalendarEvent(std::string_view text, const std::string& knownType = {});

}  // namespace cli
