// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SyncAfterClose.h"

#include "cli/SyncCommand.h"
#include "platform/DataFolderLookup.h"

#include <QFileInfo>

namespace app {

void startSyncAfterClose(platform::Platform& platform, const QString& programPath, const QString& dataFile) {
    const cli::SyncRequest request = cli::syncRequestFor(dataFile.toStdString(), platform::usersDataFile());
    if (!cli::syncIsSetUp(request)) return;
    const QString commandLine = QFileInfo(programPath).absolutePath() + QStringLiteral("/zerizedozi-cli");
    platform.startDetached(commandLine, {QStringLiteral("sync"), QStringLiteral("--file"), dataFile});
}

}  // namespace app
