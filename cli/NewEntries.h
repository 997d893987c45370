// SPDX-License-Identifier: GPL-3.0-or-later
// Adding yearly dates to the event list as new rows, leaving out those the
// list already holds. Shared by every command that adds to the list.
#pragma once

#include "cli/CalendarDays.h"
#include "store/ClientDataSet.h"
#include "store/Date.h"

#include <string>
#include <vector>

namespace cli {

struct NewEntry {
    std::string name;  // UTF-8, 1 to kNimiWidth characters
    char type;         // 'S', 'T', 'N' or 'M'
    YearlyDate date;   // valid
};

struct ImportCounts {
    int added = 0;
    int skipped = 0;  // not added: already in the list, or unusable
};

// Which rows an entry is the same as: those equal in Nimi, Paev, Kuu, Aasta
// and Tyyp, or, for entries that stand for a day whatever its year (a
// holiday), those equal in all but Aasta.
enum class SameRow { InEveryField, InAnyYear };

// REQUIRES: `dataSet` is open in browse state.
// Posts one row per entry: Nimi, Paev, Kuu, Aasta (null without a year),
// Tyyp, and Kuup the date, in today's year when it has none (29 February:
// the latest leap year not after today's). An entry the same as a row
// already in the list or added before is skipped. Does not close the data
// set.
ImportCounts addNewEntries(store::ClientDataSet& dataSet, const std::vector<NewEntry>& entries,
                           const store::Date& today, SameRow same = SameRow::InEveryField);

// "Lisatud 3, vahele jäetud 1."
std::string importSummaryLine(const ImportCounts& counts);

}  // namespace cli
