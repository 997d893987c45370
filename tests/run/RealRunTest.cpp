// SPDX-License-Identifier: GPL-3.0-or-later
// The built program itself, started in a program folder of its own on a
// private X display: it creates its data file, closes when the window manager
// asks it to, asks about the home page, and ends with exit code 0; `kill`
// saves and ends it without asking.
#include "store/DataPacket.h"
#include "store/EventRecord.h"
#include "tests/run/SessionBus.h"
#include "tests/run/VirtualDisplay.h"
#include "tests/support/EventRows.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr xcb_keysym_t kEscape = 0xff1b;
constexpr xcb_keysym_t kReturn = 0xff0d;
constexpr xcb_keysym_t kDelete = 0xffff;
constexpr xcb_keysym_t kControl = 0xffe3;

// The program copied into a fresh folder, with a stand-in for xdg-open that
// notes which addresses the program asked the desktop to open.
class ProgramFolder {
public:
    ProgramFolder() {
        fs::copy_file(ZERIZEDOZI_PROGRAM, program());
        fs::create_directory(dir_.file("bin"));
        writeFile(dir_.file("bin/xdg-open"), "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" + opened() + "'\n");
        fs::permissions(dir_.file("bin/xdg-open"), fs::perms::owner_all);
        fs::create_directory(runtime());
        fs::permissions(runtime(), fs::perms::owner_all);
    }
    std::string program() const { return dir_.file("zerizedozi"); }
    std::string dataFile() const { return dir_.file(std::string(store::kDataFileName)); }
    std::string bin() const { return dir_.file("bin"); }
    std::string opened() const { return dir_.file("opened.txt"); }
    std::string runtime() const { return dir_.file("runtime"); }

private:
    TempDir dir_;
};

// The program on a bus of its own and `display`, its data file beside it.
class RunningProgram {
public:
    RunningProgram(const ProgramFolder& folder, const std::string& display) : bus_(folder.runtime()) {
        std::vector<std::string> environment;
        for (char** entry = environ; *entry; ++entry) {
            const std::string text = *entry;
            if (!text.starts_with("DISPLAY=") && !text.starts_with("QT_QPA_PLATFORM=") &&
                !text.starts_with("WAYLAND_DISPLAY=") && !text.starts_with("BROWSER=") && !text.starts_with("PATH=") &&
                !text.starts_with("XDG_RUNTIME_DIR=") && !text.starts_with("DBUS_SESSION_BUS_ADDRESS="))
                environment.push_back(text);
        }
        const char* path = std::getenv("PATH");
        environment.push_back("PATH=" + folder.bin() + ":" + (path ? path : "/usr/bin:/bin"));
        environment.push_back("DISPLAY=" + display);
        environment.push_back("QT_QPA_PLATFORM=xcb");
        environment.push_back("XDG_RUNTIME_DIR=" + folder.runtime());
        environment.push_back("DBUS_SESSION_BUS_ADDRESS=" + bus_.address());
        std::vector<char*> envp;
        for (std::string& text : environment) envp.push_back(text.data());
        envp.push_back(nullptr);

        // Started from another folder: the data file follows the program, not the working directory.
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addchdir_np(&actions, "/");
        std::string program = folder.program();
        char* argv[] = {program.data(), nullptr};
        const int failed = ::posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv, envp.data());
        posix_spawn_file_actions_destroy(&actions);
        if (failed) pid_ = -1;
    }
    ~RunningProgram() {
        if (pid_ > 0 && !exitCode(0ms)) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    bool started() const { return pid_ > 0; }
    void signal(int number) { ::kill(pid_, number); }

    // The exit code once the program has ended within `timeout`; -1 when a
    // signal ended it.
    std::optional<int> exitCode(std::chrono::milliseconds timeout) {
        if (status_) return status_;
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        do {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
                return status_;
            }
            std::this_thread::sleep_for(20ms);
        } while (std::chrono::steady_clock::now() < deadline);
        return std::nullopt;
    }

private:
    SessionBus bus_;
    pid_t pid_ = -1;
    std::optional<int> status_;
};

bool waitForFile(const std::string& path, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!fs::exists(path)) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

// Starts the program, waits for its window and data file, closes the window
// as a window manager does and answers the home-page question with `key`;
// returns the program's exit code.
std::optional<int> runAndClose(const ProgramFolder& folder, xcb_keysym_t key) {
    VirtualDisplay display;
    RunningProgram running(folder, display.name());
    EXPECT_TRUE(running.started());
    if (!running.started()) return std::nullopt;

    const xcb_window_t window = display.waitForWindow("Zerizedozi", 30s);
    EXPECT_NE(window, XCB_WINDOW_NONE) << "the main window never showed";
    EXPECT_TRUE(waitForFile(folder.dataFile(), 30s)) << "no data file";
    if (window == XCB_WINDOW_NONE) return std::nullopt;

    display.requestClose(window);
    const xcb_window_t question = display.waitForWindow("WEB", 30s);
    EXPECT_NE(question, XCB_WINDOW_NONE) << "the home-page question never showed";
    if (question == XCB_WINDOW_NONE) return running.exitCode(0ms);
    EXPECT_FALSE(display.isViewable(window)) << "the window stays on screen behind the question";

    // The box may take a moment to accept keys after it is mapped.
    std::optional<int> code;
    for (int attempt = 0; attempt < 20 && !code; ++attempt) {
        display.pressKey(question, key);
        code = running.exitCode(1500ms);
    }
    return code;
}

TEST(RealRun, FirstStartCreatesTheDataFileAndClosingWithEiEndsCleanly) {
    ProgramFolder folder;
    EXPECT_EQ(runAndClose(folder, kEscape), 0);
    EXPECT_EQ(readFile(folder.dataFile()), std::string(store::kEmptyPacket) + "\r\n");
    EXPECT_EQ(fs::file_size(folder.dataFile()), 433u);
    EXPECT_FALSE(fs::exists(folder.opened())) << "Ei still opened " << readFile(folder.opened());
}

TEST(RealRun, JahOpensTheHomePageAndALaterStartLeavesTheFileAsItWas) {
    ProgramFolder folder;
    ASSERT_EQ(runAndClose(folder, kEscape), 0);
    const auto written = fs::last_write_time(folder.dataFile());

    EXPECT_EQ(runAndClose(folder, kReturn), 0);
    EXPECT_EQ(fs::last_write_time(folder.dataFile()), written) << "a close without changes wrote the file";
    EXPECT_EQ(fs::file_size(folder.dataFile()), 433u);
    ASSERT_TRUE(waitForFile(folder.opened(), 10s));
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(readFile(folder.opened()), "http://www.tarvalind.ee/?visitor=Zerizedozi\n");
}

// `kill` while the grid's delete confirmation is up: the row deleted before
// is saved, and the program ends by itself, the box and the home-page
// question left unanswered.
TEST(RealRun, ATerminationSignalSavesTheListAndEndsEvenWithABoxUp) {
    ProgramFolder folder;
    writeFile(folder.dataFile(),
              store::writeDataPacket({eventRow("Mari", 5, 3, 1980, "S", 2026), eventRow("Jaan", 6, 3, 1981, "S", 2026),
                                      eventRow("Juku", 7, 3, 1982, "S", 2026)}));
    VirtualDisplay display;
    RunningProgram running(folder, display.name());
    ASSERT_TRUE(running.started());
    const xcb_window_t window = display.waitForWindow("Zerizedozi", 30s);
    ASSERT_NE(window, XCB_WINDOW_NONE) << "the main window never showed";

    xcb_window_t confirm = XCB_WINDOW_NONE;
    for (int attempt = 0; attempt < 20 && confirm == XCB_WINDOW_NONE; ++attempt) {
        display.pressKey(window, kDelete, kControl);
        confirm = display.waitForWindow("Confirm", 1500ms);
    }
    ASSERT_NE(confirm, XCB_WINDOW_NONE) << "Ctrl+Delete asked nothing";
    for (int attempt = 0; attempt < 20 && display.isViewable(confirm); ++attempt) {
        display.pressKey(confirm, kReturn);
        std::this_thread::sleep_for(500ms);
    }
    display.pressKey(window, kDelete, kControl);
    ASSERT_NE(display.waitForWindow("Confirm", 30s), XCB_WINDOW_NONE) << "no box up for the signal";

    running.signal(SIGTERM);
    EXPECT_EQ(running.exitCode(30s), 0);
    EXPECT_EQ(store::readDataPacket(readFile(folder.dataFile())).size(), 2u);
}

}  // namespace
