// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/LoadedModules.h"

#include "cli/CalendarEvent.h"
#include "cli/CliError.h"
#include "cli/ModuleEntries.h"
#include "platform/Module.h"
#include "store/ErrorTexts.h"

#include <cstdlib>
#include <string>
#include <sys/stat.h>

namespace cli {

namespace {

// The table of functions of the module `name`; nullptr when it cannot be loaded.
template <typename Table>
const Table* loadModule(const char* name, const char* entry) {
    using Entry = const Table* (*)();
    const auto tableOf = reinterpret_cast<Entry>(platform::moduleEntry(name, entry));
    return tableOf ? tableOf() : nullptr;
}

bool hasSessionBus() {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address && *address) return true;
    const char* runtimeFolder = std::getenv("XDG_RUNTIME_DIR");
    struct stat socket {};
    return runtimeFolder && *runtimeFolder && ::stat((std::string(runtimeFolder) + "/bus").c_str(), &socket) == 0 &&
           S_ISSOCK(socket.st_mode);
}

}  // namespace

std::optional<CalendarEvent> readCalendarEvent(std::string_view text, const std::string& knownType) {
    static const auto* const calendar = loadModule<modules::Calendar>(modules::kCalendarName, modules::kCalendarEntry);
    if (!calendar)
        throw CliError("Programmi osa " + store::quotedPath(platform::modulePath(modules::kCalendarName)) +
                       " ei saa laadida; paigalda programm uuesti.");
    return calendar->readCalendarEvent(text, knownType);
}

bool ModuleNotifications::show(const Reminder& reminder) {
    if (!hasSessionBus()) return false;
    const auto* desktop = loadModule<modules::Desktop>(modules::kDesktopName, modules::kDesktopEntry);
    return desktop && desktop->showReminder(reminder);
}

}  // namespace cli
