// SPDX-License-Identifier: GPL-3.0-or-later
// zerizedozi-cli: the event list on the command line. It links neither Qt
// nor libical, so that it starts at once; the parts that need them are
// modules of their own (cli/LoadedModules.h).
#include "cli/Commands.h"
#include "cli/LoadedModules.h"
#include "platform/DataFolderLookup.h"

#include <iostream>

int main(int argc, char** argv) {
    const store::SystemClock clock;
    const auto defaultDataFile = [](cli::DataFileUse use) {
        std::string dataFile = platform::programDataFile();
        if (use == cli::DataFileUse::Write) platform::makeDataFileFolder(dataFile);
        return dataFile;
    };
    cli::ModuleNotifications notifications;
    const cli::CommandContext context{std::cout,
                                      std::cerr,
                                      clock,
                                      store::PosixFileSystem::instance(),
                                      defaultDataFile,
                                      notifications,
                                      platform::usersDataFile};
    return cli::runCommand({argv + 1, argv + argc}, context);
}
