// SPDX-License-Identifier: GPL-3.0-or-later
// Adding contact dates to the event list as new rows.
#pragma once

#include "cli/ContactDates.h"
#include "cli/NewEntries.h"
#include "store/ClientDataSet.h"
#include "store/Date.h"

#include <string>
#include <vector>

namespace cli {

// A contact date that could not become a row, and why.
struct SkippedContact {
    std::string name;    // the contact's name, "" when the card names nobody
    std::string reason;  // Estonian, e.g. "sünnipäev 2031-01-05 on tulevikus"
};

// REQUIRES: `dataSet` is open in browse state.
// Adds the contact dates as addNewEntries does, each named by the contact's
// name cut to 99 characters (blanks at the cut end dropped), type 'S' or
// 'T'. A date with no valid value, with a year after today's, or without a
// name is skipped too, and told in `skipped`. Does not close the data set.
ImportCounts importContactDates(store::ClientDataSet& dataSet, const std::vector<ContactDate>& dates,
                                const store::Date& today, std::vector<SkippedContact>& skipped);

// "Vahele jäetud: Mari Maasikas: sünnipäev 1980-02-30 pole kehtiv kuupäev."
std::string skippedContactLine(const SkippedContact& contact);

}  // namespace cli
