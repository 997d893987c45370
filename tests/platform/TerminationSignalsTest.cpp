// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TerminationSignals.h"

#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <set>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace platform {
namespace {

constexpr std::array kSignals = {SIGTERM, SIGHUP, SIGINT};
volatile std::sig_atomic_t earlierHandlerCalls[NSIG] = {};

// Counts the three signals in earlierHandlerCalls while it lives, then puts
// back their handling.
class CountedSignals {
public:
    CountedSignals() {
        struct sigaction counting {};
        counting.sa_handler = [](int signal) { earlierHandlerCalls[signal] = earlierHandlerCalls[signal] + 1; };
        sigemptyset(&counting.sa_mask);
        for (size_t i = 0; i < kSignals.size(); ++i) {
            earlierHandlerCalls[kSignals[i]] = 0;
            ::sigaction(kSignals[i], &counting, &saved_[i]);
        }
    }
    ~CountedSignals() {
        for (size_t i = 0; i < kSignals.size(); ++i) ::sigaction(kSignals[i], &saved_[i], nullptr);
    }

private:
    std::array<struct sigaction, kSignals.size()> saved_{};
};

std::set<int> openDescriptors() {
    std::set<int> open;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        open.insert(std::stoi(entry.path().filename().string()));
    return open;
}

// Each signal that would end the program reaches the event loop once instead;
// once the object is gone, its socket is closed and the signal is handled as
// it was before.
TEST(TerminationSignals, EachSignalReachesTheEventLoopOnceWhileTheObjectLives) {
    const CountedSignals counted;
    for (const int signal : kSignals) {
        const std::set<int> openBefore = openDescriptors();
        {
            int calls = 0;
            const TerminationSignals handled([&calls] { ++calls; });
            ::raise(signal);
            EXPECT_TRUE(QTest::qWaitFor([&] { return calls > 0; }, 5000)) << signal;
            QTest::qWait(50);
            EXPECT_EQ(calls, 1) << signal;
            EXPECT_EQ(earlierHandlerCalls[signal], 0) << signal;
        }
        EXPECT_EQ(openDescriptors(), openBefore) << signal;
        ::raise(signal);
        EXPECT_EQ(earlierHandlerCalls[signal], 1) << signal;
    }
}

// A program that does not end on the first signal ends on the next, as the
// signal ends any program by default.
TEST(TerminationSignalsDeathTest, ALaterSignalEndsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            const TerminationSignals handled([] {});
            ::raise(SIGTERM);
            ::raise(SIGTERM);
        },
        testing::KilledBySignal(SIGTERM), "");
}

// Started under nohup, the program outlives its terminal; where no socket
// can be had, the signals keep the handling they had.
TEST(TerminationSignals, SignalsKeepTheirHandlingWhenIgnoredOrWithoutASocket) {
    const CountedSignals counted;
    {
        struct sigaction ignoring {};
        ignoring.sa_handler = SIG_IGN;
        ::sigaction(SIGHUP, &ignoring, nullptr);
        int calls = 0;
        const TerminationSignals handled([&calls] { ++calls; });
        ::raise(SIGHUP);
        QTest::qWait(50);
        EXPECT_EQ(calls, 0);
    }
    rlimit limit{};
    ::getrlimit(RLIMIT_NOFILE, &limit);
    const rlimit saved = limit;
    limit.rlim_cur = static_cast<rlim_t>(*openDescriptors().rbegin()) + 1;
    ::setrlimit(RLIMIT_NOFILE, &limit);
    std::vector<int> everyFreeDescriptor;
    for (int taken; (taken = ::open("/dev/null", O_RDONLY)) >= 0;) everyFreeDescriptor.push_back(taken);
    {
        int calls = 0;
        const TerminationSignals handled([&calls] { ++calls; });
        for (const int descriptor : everyFreeDescriptor) ::close(descriptor);
        ::setrlimit(RLIMIT_NOFILE, &saved);
        ::raise(SIGTERM);
        QTest::qWait(50);
        EXPECT_EQ(calls, 0);
        EXPECT_EQ(earlierHandlerCalls[SIGTERM], 1);
    }
}

// The handler interrupts code that may be about to read errno.
TEST(TerminationSignals, TheHandlerLeavesErrnoAsItWas) {
    const CountedSignals counted;
    const std::set<int> openBefore = openDescriptors();
    const TerminationSignals handled([] {});
    // The byte cannot be sent: the handler's own call fails and sets errno.
    for (const int descriptor : openDescriptors())
        if (!openBefore.contains(descriptor)) ::shutdown(descriptor, SHUT_RDWR);
    errno = EDOM;
    ::raise(SIGTERM);
    EXPECT_EQ(errno, EDOM);
}

}  // namespace
}  // namespace platform
