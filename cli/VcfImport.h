// Adding contact dates to the event list as new rows.
#pragma once

#include <string>
#include <vector>

#include "ContactDates.h"
#include "store/ClientDataSet.h"
#include "store/Date.h"

namespace cli {

struct ImportCounts {
    int added = 0;
    int skipped = 0;  // no valid date, no name, or already in the list
};

// REQUIRES: `dataSet` is open in browse state.
// Posts one row per contact date: Nimi the name cut to 99 characters, Paev,
// Kuu, Aasta (null without a year), Tyyp 'S' or 'T', and Kuup the date, in
// today's year when it has none (29 February: the latest leap year not
// after today's). A date with no valid value or no name, or whose row would
// equal one already in the list or added before in Nimi, Paev, Kuu, Aasta
// and Tyyp, is skipped. Does not close the data set.
ImportCounts importContactDates(store::ClientDataSet& dataSet, const std::vector<ContactDate>& dates,
                                const store::Date& today);

// "Lisatud 3, vahele jäetud 1."
std::string importSummaryLine(const ImportCounts& counts);

}  // namespace cli
