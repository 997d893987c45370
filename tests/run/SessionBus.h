// SPDX-License-Identifier: GPL-3.0-or-later
// A session bus of the tests' own (dbus-daemon) that starts no services. The
// program run on it finds a bus wherever the tests run, in a container or a
// chroot without one too, so that its D-Bus library never tries to launch
// one (a failed attempt leaks memory inside that library).
#pragma once

#include <string>
#include <sys/types.h>

class SessionBus {
public:
    // Starts the bus with its configuration written into `folder`; throws
    // std::runtime_error when it cannot.
    explicit SessionBus(const std::string& folder);
    ~SessionBus();
    SessionBus(const SessionBus&) = delete;
    SessionBus& operator=(const SessionBus&) = delete;

    // For DBUS_SESSION_BUS_ADDRESS.
    const std::string& address() const { return address_; }

private:
    pid_t daemon_ = -1;
    std::string address_;
};
