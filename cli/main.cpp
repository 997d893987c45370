// SPDX-License-Identifier: GPL-3.0-or-later
// zerizedozi-cli: the event list on the command line.
#include "cli/Commands.h"
#include "cli/DesktopNotifications.h"
#include "platform/DataFolderLookup.h"
#include "store/ProgramName.h"

#include <QCoreApplication>
#include <QString>

#include <iostream>

int main(int argc, char** argv) {
    QCoreApplication::setOrganizationName(QString::fromUtf8(store::kMakerName));
    QCoreApplication::setApplicationName(QString::fromUtf8(store::kProgramName));
    const store::SystemClock clock;
    const auto defaultDataFile = [](cli::DataFileUse use) {
        const QString dataFile = platform::programDataFile();
        if (use == cli::DataFileUse::Write) platform::makeDataFileFolder(dataFile);
        return dataFile.toStdString();
    };
    cli::DesktopNotifications notifications;
    const cli::CommandContext context{
        std::cout, std::cerr, clock, store::PosixFileSystem::instance(), defaultDataFile, notifications, [] {
            return platform::usersDataFile().toStdString();
        }};
    return cli::runCommand({argv + 1, argv + argc}, context);
}
