// SPDX-License-Identifier: GPL-3.0-or-later
// The `upcoming` listing: which yearly dates fall within the next days, and
// the lines that show them.
#pragma once

#include "store/Date.h"
#include "store/EventRecord.h"

#include <optional>
#include <string>
#include <vector>

namespace cli {

inline constexpr int kDefaultUpcomingDays = 14;
inline constexpr int kMaxUpcomingDays = 366;

struct UpcomingDate {
    store::Date date;  // the day it falls on
    int daysAhead;     // 0 for today
    std::string name;
    std::string type;          // the type's label, or the row's own code when unknown
    std::optional<int> turns;  // the age reached that day, for a row with an earlier year
};

// The days from `today` on, `days` of them, today included.
// REQUIRES: 1 <= days <= kMaxUpcomingDays.
class UpcomingWindow {
public:
    UpcomingWindow(const store::Date& today, int days);
    bool contains(const store::Date& date) const { return !(date < first_) && !(last_ < date); }
    // Whether the row has a valid day and month that fall within the window,
    // in either year it spans: whether upcomingDates lists the row.
    bool operator()(const store::EventRow& row) const;

private:
    store::Date first_;
    store::Date last_;
};

// The dates of `rows` that fall within `days` days starting with `today`
// (today included), in date order; dates of one day keep the order of `rows`.
// A row without a valid day and month is left out; 29 February falls on
// 1 March in common years. REQUIRES: 1 <= days <= kMaxUpcomingDays.
std::vector<UpcomingDate> upcomingDates(const std::vector<store::EventRow>& rows, const store::Date& today, int days);

// "05.03. neljapäev, täna: Mari Maasikas (Sünnipäev, saab 40)"; control
// characters of the name show as spaces, so the line stays one line.
std::string upcomingLine(const UpcomingDate& date);

// How far ahead a date lies: "täna", "homme" or "5 päeva pärast".
std::string daysAheadText(int daysAhead);

// A type's label as it reads inside a sentence: "Sünnipäev" -> "sünnipäev".
std::string labelInSentence(std::string label);

// `name` with its control characters as spaces, so that it stays one line.
std::string oneLineName(const std::string& name);

// The single line shown when nothing falls within `days` days.
std::string nothingUpcomingLine(int days);

// Reads the value of --days. Throws CliError unless it is a whole number
// from 1 to kMaxUpcomingDays.
int parseUpcomingDays(const std::string& text);

}  // namespace cli
