// SPDX-License-Identifier: GPL-3.0-or-later
// zerizedozi-cli's way to its modules (cli/ModuleEntries.h). The program
// links LoadedModules.cpp in place of the modules' code: it defines
// readCalendarEvent (cli/CalendarEvent.h) to load the calendar module on
// first use, and ModuleNotifications below.
#pragma once

#include "cli/Reminder.h"

namespace cli {

// Reminders through the desktop module, which is loaded only when there is a
// session bus to reach: $DBUS_SESSION_BUS_ADDRESS, or the bus socket in
// $XDG_RUNTIME_DIR.
class ModuleNotifications : public NotificationSender {
public:
    // False, so that the reminder is printed instead, when there is no
    // session bus, the module cannot be loaded or the service does not answer.
    bool show(const Reminder& reminder) override;
};

}  // namespace cli
