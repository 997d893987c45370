// SPDX-License-Identifier: GPL-3.0-or-later
// Where "today" comes from. Everything that depends on the current date (ages,
// dates typed without a year, the report's date line) asks a Clock, so that
// tests can fix the day.
#pragma once

#include "store/Date.h"

namespace store {

class Clock {
public:
    virtual ~Clock() = default;
    // Today's date in the local time zone.
    virtual Date today() const = 0;
};

// The machine's local date, read at every call.
class SystemClock final : public Clock {
public:
    Date today() const override;
};

// A date set by the caller; for tests and benchmarks.
class FixedClock final : public Clock {
public:
    explicit FixedClock(Date d) : date_(d) {}
    void set(Date d) { date_ = d; }
    Date today() const override { return date_; }

private:
    Date date_;
};

}  // namespace store
