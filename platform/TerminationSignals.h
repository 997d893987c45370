// SPDX-License-Identifier: GPL-3.0-or-later
// The signals that end a program unless it handles them (SIGTERM, SIGHUP,
// SIGINT), handed to the event loop instead while an object of this class
// lives: a logout without a session manager, a closed terminal or `kill`
// then reach the program as a call in its event loop, which saves and ends.
// The first signal is handed over; any later one ends the program as the
// signal does by default, for a program that could not end by itself.
// A signal the program was started ignoring (nohup) stays ignored.
// One at a time; the signals' earlier handling comes back when it ends, and
// stays when no socket can be had to hand them over.
#pragma once

#include <QObject>

#include <functional>

namespace platform {

class TerminationSignals : public QObject {
public:
    // `onSignal` runs once, in the event loop of the thread that owns this
    // object (a modal box's loop too), soon after the first signal arrived.
    explicit TerminationSignals(std::function<void()> onSignal, QObject* parent = nullptr);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

private:
    std::function<void()> onSignal_;
    int readEnd_ = -1;
};

}  // namespace platform
