// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SyncAfterClose.h"

#include "cli/SyncCommand.h"

#include <QFileInfo>

namespace app {

void startSyncAfterClose(platform::Platform& platform, const QString& programPath, const QString& dataFile) {
    cli::SyncRequest request;
    request.dataFile = dataFile.toStdString();
    if (!cli::syncIsSetUp(request)) return;
    const QString commandLine = QFileInfo(programPath).absolutePath() + QStringLiteral("/zerizedozi-cli");
    platform.startDetached(commandLine, {QStringLiteral("sync"), QStringLiteral("--file"), dataFile});
}

}  // namespace app
