// SPDX-License-Identifier: GPL-3.0-or-later
// The entry of the module that reads calendar events.
#include "cli/CalendarEvent.h"
#include "cli/ModuleEntries.h"

extern "C" __attribute__((visibility("default"))) const cli::modules::Calendar* zerizedozi_calendar() {
    static constexpr cli::modules::Calendar calendar{&cli::readCalendarEvent};
    return &calendar;
}
