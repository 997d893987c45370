#include "platform/TerminationSignals.h"

#include <QSocketNotifier>

#include <sys/socket.h>
#include <unistd.h>
#include <array>
#include <csignal>

namespace platform {

namespace {

constexpr std::array kSignals = {SIGTERM, SIGHUP, SIGINT};
std::array<struct sigaction, kSignals.size()> earlierHandling{};
volatile std::sig_atomic_t writeEnd = -1;

// Only what is safe in a signal handler: one byte down the socket.
void wakeEventLoop(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(writeEnd, &byte, 1);
}

}  // namespace

TerminationSignals::TerminationSignals(std::function<void()> onSignal, QObject* parent)
    : QObject(parent), onSignal_(std::move(onSignal)) {
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, ends) != 0) return;
    readEnd_ = ends[0];
    writeEnd = ends[1];
    auto* notifier = new QSocketNotifier(readEnd_, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        char bytes[64];
        while (::read(readEnd_, bytes, sizeof bytes) > 0) {}
        onSignal_();
    });
    struct sigaction handling {};
    handling.sa_handler = wakeEventLoop;
    sigemptyset(&handling.sa_mask);
    handling.sa_flags = SA_RESTART;
    for (size_t i = 0; i < kSignals.size(); ++i) ::sigaction(kSignals[i], &handling, &earlierHandling[i]);
}

TerminationSignals::~TerminationSignals() {
    if (readEnd_ < 0) return;
    for (size_t i = 0; i < kSignals.size(); ++i) ::sigaction(kSignals[i], &earlierHandling[i], nullptr);
    ::close(writeEnd);
    writeEnd = -1;
    ::close(readEnd_);
}

}  // namespace platform
