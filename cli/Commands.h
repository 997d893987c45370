// SPDX-License-Identifier: GPL-3.0-or-later
// The commands of zerizedozi-cli, run on given streams, clock and file
// system so that tests can drive them.
#pragma once

#include "cli/Reminder.h"
#include "store/Clock.h"
#include "store/FileSystem.h"

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // the command could not do its work
inline constexpr int kExitUsage = 2;   // the command line is wrong

// What a command does with the data file: reading leaves the file system as
// it is; writing may first make the default data file's folder.
enum class DataFileUse { Read, Write };

struct CommandContext {
    std::ostream& out;
    std::ostream& err;
    const store::Clock& clock;
    store::FileSystem& files;
    std::function<std::string(DataFileUse)> defaultDataFile;  // asked only when --file is not given
    NotificationSender& notifications;
    // The list in the user's own folder, whose sync is the default one; unset,
    // the default list counts as that.
    std::function<std::string()> usersDataFile = {};
};

// Runs one command line (`args` without the program name): upcoming,
// notify, export-ics, import-vcf, export-csv, import-csv, add-holidays, sync,
// --version or --help (-h anywhere on the line shows the help). notify shows
// its reminder through `notifications`, or writes its lines to `out` when
// that fails. The commands that add rows hold the
// data file's lock (store::DataFileLock) while they change it, and fail
// without touching the file when another program holds it. Results go to
// `out`; errors go to `err`, each line starting with "zerizedozi-cli: ".
// Returns kExitOk, kExitFailed or kExitUsage.
int runCommand(const std::vector<std::string>& args, const CommandContext& context);

// The --help text: every command with an example.
std::string helpText();

}  // namespace cli
