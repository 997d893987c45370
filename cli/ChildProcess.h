// SPDX-License-Identifier: GPL-3.0-or-later
// Running another program to its end, as the command line's sync runs
// vdirsyncer and secret-tool.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace cli {

struct ChildResult {
    bool started = false;
    bool timedOut = false;
    int exitCode = -1;   // -1 unless it exited by itself
    std::string output;  // its stdout and stderr, interleaved
};

// Runs `argv` (argv[0] looked up in PATH) with `input` on its stdin and
// waits for it, killing it after `timeout`. The child is killed too when
// this process dies, so that no orphan keeps working on the same files.
ChildResult runChild(const std::vector<std::string>& argv, const std::string& input, std::chrono::seconds timeout);

}  // namespace cli
