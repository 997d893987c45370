// SPDX-License-Identifier: GPL-3.0-or-later
// Rows, data files and a command runner for the tests of zerizedozi-cli.
#pragma once

#include "cli/Commands.h"
#include "store/Clock.h"
#include "store/DataPacket.h"
#include "store/EventRecord.h"
#include "store/FileSystem.h"
#include "tests/support/EventRows.h"
#include "tests/support/TempDir.h"

#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace cli::testing {

using ::eventRow;

// A desktop that keeps what it was asked to show.
class RecordingNotifications : public NotificationSender {
public:
    std::vector<Reminder> shown;

    bool show(const Reminder& reminder) override {
        shown.push_back(reminder);
        return true;
    }
};

struct RunResult {
    int status;
    std::string out;
    std::string err;
};

// Runs a command line against a data file in a temporary folder.
class CommandRunner {
public:
    explicit CommandRunner(store::Date today, store::FileSystem& files = store::PosixFileSystem::instance())
        : clock_(today), files_(files) {}

    std::string dataFile() const { return dir_.file("Vozoraza.xml"); }
    std::string file(const std::string& name) const { return dir_.file(name); }
    RecordingNotifications& notifications() const { return notifications_; }
    void writeRows(const std::vector<store::EventRow>& rows) const {
        writeFile(dataFile(), store::writeDataPacket(rows));
    }

    // Without --file in `args`, the command works on dataFile().
    RunResult run(const std::vector<std::string>& args) const {
        std::ostringstream out;
        std::ostringstream err;
        const CommandContext context{out,           err, clock_, files_, [this](DataFileUse) { return dataFile(); },
                                     notifications_};
        const int status = runCommand(args, context);
        return {status, out.str(), err.str()};
    }

private:
    TempDir dir_;
    store::FixedClock clock_;
    store::FileSystem& files_;
    mutable RecordingNotifications notifications_;
};

}  // namespace cli::testing
