// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TerminationSignals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr std::array kSignals = {SIGTERM, SIGHUP, SIGINT};
std::array<struct sigaction, kSignals.size()> earlierHandling{};
volatile std::sig_atomic_t writeEnd = -1;
volatile std::sig_atomic_t signalled = 0;

// Only what is safe in a signal handler, leaving errno as the interrupted
// code had it: the first signal sends one byte down the socket, a later one
// is raised again with the default handling, which ends the program.
void onTerminationSignal(int signal) {
    const int interruptedErrno = errno;
    if (signalled) {
        struct sigaction byDefault {};
        byDefault.sa_handler = SIG_DFL;
        ::sigaction(signal, &byDefault, nullptr);
        ::raise(signal);
    } else {
        signalled = 1;
        const char byte = 1;
        [[maybe_unused]] const ssize_t sent = ::send(writeEnd, &byte, 1, MSG_NOSIGNAL);
    }
    errno = interruptedErrno;
}

}  // namespace

TerminationSignals::TerminationSignals(std::function<void()> onSignal, QObject* parent)
    : QObject(parent), onSignal_(std::move(onSignal)) {
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, ends) != 0) return;
    readEnd_ = ends[0];
    writeEnd = ends[1];
    signalled = 0;
    auto* notifier = new QSocketNotifier(readEnd_, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        char bytes[64];
        while (::read(readEnd_, bytes, sizeof bytes) > 0) {}
        onSignal_();
    });
    struct sigaction handling {};
    handling.sa_handler = onTerminationSignal;
    sigemptyset(&handling.sa_mask);
    for (const int signal : kSignals) sigaddset(&handling.sa_mask, signal);
    handling.sa_flags = SA_RESTART;
    for (size_t i = 0; i < kSignals.size(); ++i) {
        ::sigaction(kSignals[i], nullptr, &earlierHandling[i]);
        if (earlierHandling[i].sa_handler != SIG_IGN) ::sigaction(kSignals[i], &handling, nullptr);
    }
}

TerminationSignals::~TerminationSignals() {
    if (readEnd_ < 0) return;
    for (size_t i = 0; i < kSignals.size(); ++i) ::sigaction(kSignals[i], &earlierHandling[i], nullptr);
    ::close(writeEnd);
    writeEnd = -1;
    ::close(readEnd_);
}

}  // namespace platform
