// The signals that end a program unless it handles them (SIGTERM, SIGHUP,
// SIGINT), handed to the event loop instead while an object of this class
// lives: a logout without a session manager, a closed terminal or `kill`
// then ends the program as a close request does, and its list is saved.
// One at a time; the signals' earlier handling comes back when it ends, and
// stays when no socket can be had to hand them over.
#pragma once

#include <QObject>

#include <functional>

namespace platform {

class TerminationSignals : public QObject {
public:
    // `onSignal` runs in the event loop of the thread that owns this object,
    // soon after one or more of the signals arrived.
    explicit TerminationSignals(std::function<void()> onSignal, QObject* parent = nullptr);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

private:
    std::function<void()> onSignal_;
    int readEnd_ = -1;
};

}  // namespace platform
