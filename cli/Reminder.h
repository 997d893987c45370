// SPDX-License-Identifier: GPL-3.0-or-later
// The reminder of `notify`: the nearest day's dates as a headline, the rest
// of the coming days below it in `upcoming`'s words.
#pragma once

#include "cli/Upcoming.h"

#include <optional>
#include <string>
#include <vector>

namespace cli {

inline constexpr int kDefaultReminderDays = 7;
// How many dates the headline names, and how many body lines there are,
// before the rest are only counted ("ja veel N").
inline constexpr size_t kMostHeadlineDates = 3;
inline constexpr size_t kMostBodyLines = 20;

// Both parts are ready for a terminal: the list's control characters and
// direction marks in them are escaped as `upcoming` escapes them.
struct Reminder {
    // "Täna: Mari Maasikas (saab 40)", "Homme: Jüri (nimepäev)" or
    // "5 päeva pärast: …"; several dates of that day separated by ", ",
    // more than kMostHeadlineDates ending in " ja veel N".
    std::string summary;
    // upcomingLine of every later date, in date order; more than
    // kMostBodyLines end in a line "ja veel N".
    std::vector<std::string> bodyLines;
};

// The reminder of `dates`, or nullopt when there are none.
// REQUIRES: `dates` in date order, as upcomingDates gives them.
std::optional<Reminder> reminderOf(const std::vector<UpcomingDate>& dates);

// Shows a reminder on the desktop.
class NotificationSender {
public:
    virtual ~NotificationSender() = default;
    // Shows `reminder` as one desktop notification. Returns false when it
    // could not be shown: no desktop session, no notification service, or
    // the service refused it.
    virtual bool show(const Reminder& reminder) = 0;
};

}  // namespace cli
