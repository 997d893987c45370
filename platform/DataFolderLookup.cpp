#include "platform/DataFolderLookup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "store/DataFolder.h"
#include "store/FileSystem.h"

namespace platform {

QString installedFolder() {
    const QString folder = QStringLiteral(ZERIZEDOZI_INSTALLED_BINDIR);
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical.isEmpty() ? folder : canonical;
}

QString dataFolder(const QString& programFolder) {
    QCoreApplication::setOrganizationName(QStringLiteral("Tarvalind"));
    QCoreApplication::setApplicationName(QStringLiteral("Zerizedozi"));
    const store::ListFolders folders{programFolder.toStdString(), installedFolder().toStdString(),
                                     QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString()};
    QString chosen = QString::fromStdString(store::chooseDataFolder(store::PosixFileSystem::instance(), folders));
    if (chosen.toStdString() == folders.user) QDir().mkpath(chosen);
    return chosen;
}

}  // namespace platform
