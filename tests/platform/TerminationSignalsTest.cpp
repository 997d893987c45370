#include "platform/TerminationSignals.h"

#include <gtest/gtest.h>
#include <QTest>

#include <csignal>

namespace platform {
namespace {

volatile std::sig_atomic_t earlierHandlerCalls = 0;

// Each signal that would end the program reaches the event loop instead;
// once the object is gone, the signal is handled as it was before.
TEST(TerminationSignals, EachSignalReachesTheEventLoopWhileTheObjectLives) {
    struct sigaction counting {
    }, saved{};
    counting.sa_handler = [](int) { earlierHandlerCalls = earlierHandlerCalls + 1; };
    sigemptyset(&counting.sa_mask);
    ::sigaction(SIGHUP, &counting, &saved);
    {
        int calls = 0;
        const TerminationSignals handled([&calls] { ++calls; });
        for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
            const int before = calls;
            ::raise(signal);
            EXPECT_TRUE(QTest::qWaitFor([&] { return calls == before + 1; }, 5000)) << signal;
        }
        EXPECT_EQ(earlierHandlerCalls, 0);
    }
    ::raise(SIGHUP);
    EXPECT_EQ(earlierHandlerCalls, 1);
    ::sigaction(SIGHUP, &saved, nullptr);
}

}  // namespace
}  // namespace platform
