// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DataFolderLookup.h"

#include "platform/Process.h"
#include "store/DataFile.h"
#include "store/DataFolder.h"
#include "store/FileSystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

namespace {

bool installedLayoutAround(const QString& programFolder) {
    return QFileInfo::exists(programFolder + QStringLiteral("/" ZERIZEDOZI_INSTALLED_DESKTOP_ENTRY));
}

// Qt takes XDG_DATA_HOME as it is given; the XDG rules say a relative one is
// to be ignored, which leaves their default.
QString usersFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (QDir::isAbsolutePath(folder)) return folder;
    return QDir::homePath() + QStringLiteral("/.local/share/") + QCoreApplication::organizationName() +
           QLatin1Char('/') + QCoreApplication::applicationName();
}

}  // namespace

QString dataFileFor(const QString& programFolder) {
    const bool installed = programFolder.isEmpty() || installedLayoutAround(programFolder);
    const store::ListFolders folders{programFolder.toStdString(), installed, usersFolder().toStdString()};
    return QString::fromStdString(
        store::dataFilePath(store::chooseDataFolder(store::PosixFileSystem::instance(), folders)));
}

QString usersDataFile() { return dataFileFor(QString()); }

QString programDataFile() { return dataFileFor(QString::fromStdString(executableFolder())); }

void makeDataFileFolder(const QString& dataFile) { QDir().mkpath(QFileInfo(dataFile).path()); }

}  // namespace platform
