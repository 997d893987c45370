// SPDX-License-Identifier: GPL-3.0-or-later
// The built zerizedozi-cli timed as whole processes from outside, against
// the floor program (bench_floor: read the file, parse it with pugixml, walk
// every row's attributes) on the same list, with lists of 9, 100,000 and
// 1,000,000 distinct names:
//   - upcoming, notify (with no session bus), export-ics and export-csv,
//     each run right after a run of the floor;
//   - import-csv of the list's rows, in the generator's order, into a list
//     that does not exist yet, each run right after an export-csv of the list.
// Every program writes to /dev/null. Times are wall clock from the spawn to
// the child's end; peak memory is the child's largest resident set (wait4),
// which counts this process's peak too, a few MiB. One run of everything
// first, not counted, reads the programs and the lists into the page cache. Prints the
// medians, the ratios to what each ran beside, and the goals.
//   usage: bench_cli CLI FLOOR [--runs=7] [--sizes=9,100000,1000000]
#include "DataGenerator.h"
#include "Figures.h"
#include "cli/EventsCsv.h"
#include "store/DataPacket.h"
#include "tests/support/TempDir.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using bench::loadAverage;
using bench::median;
using bench::rowsText;

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct Measured {
    double ms;
    double peakMiB;
};

// The environment without a session bus, so that notify cannot reach one and
// writes its reminder to stdout instead.
std::vector<std::string> environmentWithoutBus() {
    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry)
        if (std::string(*entry).rfind("DBUS_SESSION_BUS_ADDRESS=", 0) != 0) environment.emplace_back(*entry);
    return environment;
}

// Runs `args` to its end with stdout to /dev/null; throws when it fails.
Measured runProcess(const std::vector<std::string>& args) {
    static std::vector<std::string> environment = environmentWithoutBus();
    std::vector<char*> argv, envp;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    for (std::string& entry : environment) envp.push_back(entry.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const auto started = Clock::now();
    const int failed = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (failed) throw std::runtime_error(args[0] + " could not be started");
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    const auto ended = Clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error(args[0] + " " + args[1] + " failed");
    return {std::chrono::duration<double, std::milli>(ended - started).count(),
            static_cast<double>(usage.ru_maxrss) / 1024.0};
}

// The runs of one program on one list, and those of the program run beside it.
struct Pairs {
    std::vector<double> ms, peakMiB, besideMs, besidePeakMiB;
    void add(const Measured& beside, const Measured& measured) {
        besideMs.push_back(beside.ms);
        besidePeakMiB.push_back(beside.peakMiB);
        ms.push_back(measured.ms);
        peakMiB.push_back(measured.peakMiB);
    }
};

const std::vector<std::string> kCommands = {"upcoming", "notify", "export-ics", "export-csv"};

// The files of one list size: the list, a table of its rows in the
// generator's order, and where import-csv makes its new list.
struct Lists {
    std::string list, csv, imported;
};

class Bench {
public:
    Bench(std::string cli, std::string floor) : cli_(std::move(cli)), floor_(std::move(floor)) {}

    // Writes the files in a child process: a child started from this one
    // starts with this one's peak memory as its own, so this one stays small.
    Lists make(int size) {
        const std::string stem = folder_.file(std::to_string(size));
        const pid_t writer = ::fork();
        if (writer == 0) {
            const std::vector<store::EventRow> rows = bench::generateDistinctRows(size);
            writeFile(stem + ".xml", store::writeDataPacket(rows));
            writeFile(stem + ".csv", cli::eventsCsv(rows));
            std::_Exit(0);
        }
        int status = 0;
        if (writer < 0 || ::waitpid(writer, &status, 0) != writer || status != 0)
            throw std::runtime_error("the lists could not be written");
        fs::create_directory(stem + "-import");
        return {stem + ".xml", stem + ".csv", stem + "-import/Vozoraza.xml"};
    }

    // One run of every command on `lists`, each beside its own run of the floor.
    void runAll(const Lists& lists, std::map<std::string, Pairs>& pairs) {
        for (const std::string& command : kCommands) {
            const Measured floor = runProcess({floor_, lists.list});
            pairs[command].add(floor, runProcess({cli_, command, "--file", lists.list}));
        }
        const Measured exported = runProcess({cli_, "export-csv", "--file", lists.list});
        fs::remove_all(fs::path(lists.imported).parent_path());
        fs::create_directory(fs::path(lists.imported).parent_path());
        pairs["import-csv"].add(exported, runProcess({cli_, "import-csv", lists.csv, "--file", lists.imported}));
    }

private:
    std::string cli_, floor_;
    TempDir folder_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s CLI FLOOR [--runs=7] [--sizes=9,100000,1000000]\n", argv[0]);
        return 2;
    }
    int runs = 7;
    std::vector<int> sizes = {9, 100'000, 1'000'000};
    for (int i = 3; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.rfind("--runs=", 0) == 0) runs = std::stoi(argument.substr(7));
        if (argument.rfind("--sizes=", 0) == 0) sizes = bench::sizesOf(argument.substr(8));
    }

    try {
        Bench bench(fs::absolute(argv[1]).string(), fs::absolute(argv[2]).string());
        std::map<int, Lists> lists;
        for (const int size : sizes) lists[size] = bench.make(size);
        ::sync();
        std::map<int, std::map<std::string, Pairs>> pairs, warmUp;
        for (const int size : sizes) bench.runAll(lists[size], warmUp[size]);
        const std::string loadBefore = loadAverage();
        for (int repetition = 0; repetition < runs; ++repetition)
            for (const int size : sizes) bench.runAll(lists[size], pairs[size]);

        std::printf(
            "\nzerizedozi-cli as whole processes, distinct names, medians of %d runs, each command right after"
            " its own run of the floor (import-csv: after export-csv) (load average %s before, %s after):\n\n",
            runs, loadBefore.c_str(), loadAverage().c_str());
        std::printf(
            "| command | list | command: time, peak | beside it: time, peak | ratio (time) | goal |\n"
            "|---|---|---|---|---|---|\n");
        for (const int size : sizes)
            for (const auto& [command, p] : pairs[size]) {
                const bool import = command == "import-csv";
                const bool quick = command == "upcoming" || command == "notify";
                const double ms = median(p.ms), besideMs = median(p.besideMs);
                std::string goal;
                if (size < 1000 && !import)
                    goal = "within 2 ms of the floor";
                else if (import)
                    goal = size >= 1'000'000 ? "≤ 3× export-csv" : "";
                else
                    goal = quick ? "≤ 0.5× the floor, peak ≤ the floor's" : "≤ 1.5× the floor";
                std::printf("| %s | %s rows | %.1f ms, %.0f MiB | %s %.1f ms, %.0f MiB | %.2f× (%+.1f ms) | %s |\n",
                            command.c_str(), rowsText(size).c_str(), ms, median(p.peakMiB),
                            import ? "export-csv" : "floor", besideMs, median(p.besidePeakMiB), ms / besideMs,
                            ms - besideMs, goal.c_str());
            }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_cli: %s\n", error.what());
        return 1;
    }
    return 0;
}
