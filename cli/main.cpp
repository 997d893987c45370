// zerizedozi-cli: the event list on the command line.
#include <QString>
#include <iostream>

#include "cli/Commands.h"
#include "cli/DesktopNotifications.h"
#include "cli/ProgramFolder.h"
#include "platform/DataFolderLookup.h"
#include "store/DataFile.h"

int main(int argc, char** argv) {
    const store::SystemClock clock;
    const auto defaultDataFile = [] {
        return store::dataFilePath(platform::dataFolder(QString::fromStdString(cli::programFolder())).toStdString());
    };
    cli::DesktopNotifications notifications;
    const cli::CommandContext context{std::cout,       std::cerr,    clock, store::PosixFileSystem::instance(),
                                      defaultDataFile, notifications};
    return cli::runCommand({argv + 1, argv + argc}, context);
}
