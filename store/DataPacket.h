// SPDX-License-Identifier: GPL-3.0-or-later
// The data file's content: an XML data packet with the six stored fields in
// METADATA and one <ROW .../> per event in ROWDATA.
#pragma once

#include "store/EventRecord.h"
#include "store/FileSystem.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace store {

// The largest year Aasta may hold, either side of zero.
inline constexpr int kMostYear = 9999;

// Reads a packet. UTF-8 is expected; a packet that is not valid UTF-8 and
// holds no UTF-8 character of more than one byte is read as windows-1257,
// the Estonian Windows code page, while one that holds some is damaged.
// Throws StoreError for an empty input, a damaged packet (naming the offset
// of its first byte that is not UTF-8), anything that is not such a packet,
// one so dense with elements that reading it would cost more than about
// eight times its size, a missing or mistyped field, or a value that does
// not fit its field (a year beyond ±kMostYear among them). Never crashes. The second
// form parses `bytes` in place, sparing a copy of a large file.
std::vector<EventRow> readDataPacket(std::string_view bytes);
std::vector<EventRow> readDataPacket(std::string&& bytes);
// The same reading of a file. A plainly written packet is read from it in
// pieces, never held whole in memory; any other is read whole as above.
std::vector<EventRow> readDataPacket(const FileReader& file);

// Whether a row is wanted.
using RowFilter = std::function<bool(const EventRow&)>;

// The same reading of a file, every row read and checked alike, but only the
// rows `keep` says true of are kept, in the file's order: a plainly written
// packet then never holds more than those rows in memory.
std::vector<EventRow> readDataPacket(const FileReader& file, const RowFilter& keep);

// The same reading, with every packet going through the XML document tree.
// readDataPacket takes a faster way for plainly written packets; this one
// tells whether that way reads every packet alike.
std::vector<EventRow> readDataPacketByTree(std::string_view bytes);

// The packet of `rows` in UTF-8, in the given order; null values are left out.
// The packet of no rows is kEmptyPacket followed by CR LF.
std::string writeDataPacket(const std::vector<EventRow>& rows);

}  // namespace store
