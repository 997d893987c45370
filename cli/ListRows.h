// SPDX-License-Identifier: GPL-3.0-or-later
// The list's rows as the command line reads them from the data file: read
// in place and put in the list's order, which is the order of the index
// "Kuup1" with names compared byte by byte: month, day, year (none first),
// name, then the file's order.
#pragma once

#include "store/DataPacket.h"
#include "store/EventRecord.h"
#include "store/FileSystem.h"

#include <string>
#include <vector>

namespace cli {

// The rows of the data file at `path` that `keep` says true of, every row
// without it, in the list's order. Every row is read and checked, but only
// those kept are held. Throws StoreError as the data file's reading does.
std::vector<store::EventRow> readListRows(const store::FileSystem& files, const std::string& path,
                                          const store::RowFilter& keep = {});

// Puts `rows` in the list's order.
void putInListOrder(std::vector<store::EventRow>& rows);

}  // namespace cli
