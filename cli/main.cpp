// zerizedozi-cli: the event list on the command line.
#include <iostream>

#include "cli/Commands.h"
#include "cli/ProgramFolder.h"
#include "store/DataFile.h"

int main(int argc, char** argv) {
    const store::SystemClock clock;
    const cli::CommandContext context{std::cout, std::cerr, clock, store::PosixFileSystem::instance(),
                                      store::dataFilePath(cli::programFolder())};
    return cli::runCommand({argv + 1, argv + argc}, context);
}
