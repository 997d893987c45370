// SPDX-License-Identifier: GPL-3.0-or-later
// Reminders shown through the desktop's notification service
// (org.freedesktop.Notifications on the session bus).
#pragma once

#include "cli/Reminder.h"

namespace cli {

inline constexpr const char* kNotificationAppName = "Zerizedozi";
// The program's icon and desktop entry.
inline constexpr const char* kDesktopId = "ee.tarvalind.Zerizedozi";

class DesktopNotifications : public NotificationSender {
public:
    // Sends one Notify call from "Zerizedozi" with the program's icon; the
    // body lines are joined by line breaks and escaped when the service reads
    // markup. Waits for the service's answer, at most a few seconds.
    bool show(const Reminder& reminder) override;
};

}  // namespace cli
