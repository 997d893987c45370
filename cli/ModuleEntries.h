// SPDX-License-Identifier: GPL-3.0-or-later
// zerizedozi-cli's parts kept in modules of their own (platform/Module.h):
// reading the calendar's events, which needs libical, only sync does;
// showing a reminder on the desktop, which needs Qt's D-Bus, only notify.
// Each module exports one function of C linkage that gives its table of
// functions, whose types the program and the module both take from here.
#pragma once

#include "cli/CalendarEvent.h"
#include "cli/Reminder.h"

#include <optional>
#include <string>
#include <string_view>

namespace cli::modules {

struct Calendar {
    std::optional<CalendarEvent> (*readCalendarEvent)(std::string_view text, const std::string& knownType);
};
inline constexpr const char* kCalendarName = "zerizedozi-calendar";
inline constexpr const char* kCalendarEntry = "zerizedozi_calendar";

struct Desktop {
    bool (*showReminder)(const Reminder& reminder);
};
inline constexpr const char* kDesktopName = "zerizedozi-desktop";
inline constexpr const char* kDesktopEntry = "zerizedozi_desktop";

}  // namespace cli::modules

extern "C" {
const cli::modules::Calendar* zerizedozi_calendar();
const cli::modules::Desktop* zerizedozi_desktop();
}
