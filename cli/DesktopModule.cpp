// SPDX-License-Identifier: GPL-3.0-or-later
// The entry of the module that shows reminders on the desktop.
#include "cli/DesktopNotifications.h"
#include "cli/ModuleEntries.h"

extern "C" __attribute__((visibility("default"))) const cli::modules::Desktop* zerizedozi_desktop() {
    static constexpr cli::modules::Desktop desktop{
        [](const cli::Reminder& reminder) { return cli::DesktopNotifications().show(reminder); }};
    return &desktop;
}
