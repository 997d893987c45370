// SPDX-License-Identifier: GPL-3.0-or-later
// After the window has closed and saved its list: where sync is set up for
// the list, zerizedozi-cli beside the program syncs it in the background, so
// that the phone has the edits soon. The window never waits for it.
#pragma once

#include "platform/Platform.h"

#include <QString>

namespace app {

// Starts "<folder of programPath>/zerizedozi-cli sync --file <dataFile>"
// detached when sync is set up for the list; else does nothing.
void startSyncAfterClose(platform::Platform& platform, const QString& programPath, const QString& dataFile);

}  // namespace app
