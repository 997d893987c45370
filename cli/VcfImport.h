// Adding contact dates to the event list as new rows.
#pragma once

#include <vector>

#include "cli/ContactDates.h"
#include "cli/NewEntries.h"
#include "store/ClientDataSet.h"
#include "store/Date.h"

namespace cli {

// REQUIRES: `dataSet` is open in browse state.
// Adds the contact dates as addNewEntries does, each named by the contact's
// name cut to 99 characters (blanks at the cut end dropped), type 'S' or
// 'T'. A date with no valid value or no name is skipped too. Does not close
// the data set.
ImportCounts importContactDates(store::ClientDataSet& dataSet, const std::vector<ContactDate>& dates,
                                const store::Date& today);

}  // namespace cli
