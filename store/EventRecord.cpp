// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/EventRecord.h"

namespace store {

int fieldPosition(std::string_view name) {
    for (int i = 0; i < kFieldCount; ++i)
        if (kFieldNames[static_cast<size_t>(i)] == name) return i;
    return -1;
}

std::optional<size_t> typeIndex(std::string_view code) {
    for (size_t i = 0; i < kEventTypes.size(); ++i)
        if (code.size() == 1 && code[0] == kEventTypes[i].code) return i;
    return std::nullopt;
}

std::optional<std::string_view> typeLabel(std::string_view code) {
    if (const auto index = typeIndex(code)) return kEventTypes[*index].label;
    return std::nullopt;
}

const std::string_view kEmptyPacket =
    "<?xml version=\"1.0\" standalone=\"yes\"?>  <DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
    "<FIELD attrname=\"Nimi\" fieldtype=\"string\" WIDTH=\"99\"/>"
    "<FIELD attrname=\"Paev\" fieldtype=\"i2\"/>"
    "<FIELD attrname=\"Kuu\" fieldtype=\"i2\"/>"
    "<FIELD attrname=\"Aasta\" fieldtype=\"i4\"/>"
    "<FIELD attrname=\"Tyyp\" fieldtype=\"string\" WIDTH=\"1\"/>"
    "<FIELD attrname=\"Kuup\" fieldtype=\"date\"/>"
    "</FIELDS><PARAMS DEFAULT_ORDER=\"11 0\"/></METADATA><ROWDATA></ROWDATA></DATAPACKET>";

}  // namespace store
