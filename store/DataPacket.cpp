#include "DataPacket.h"

#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <string>

#include "StoreError.h"
#include "TextEncoding.h"

namespace store {

namespace {

struct StoredField {
    int position;
    std::string_view name;
    std::string_view type;
};
// The stored fields in the order of the file.
constexpr std::array<StoredField, kStoredFieldCount> kStoredFields = {{
    {Nimi, "Nimi", "string"},
    {Paev, "Paev", "i2"},
    {Kuu, "Kuu", "i2"},
    {Aasta, "Aasta", "i4"},
    {Tyyp, "Tyyp", "string"},
    {Kuup, "Kuup", "date"},
}};

[[noreturn]] void invalidValue(std::string_view field, std::string_view value) {
    constexpr size_t kShown = 40;
    std::string shown(utf8Prefix(value, kShown));
    if (shown.size() < value.size()) shown += "…";
    throw StoreError("Invalid value '" + shown + "' for field '" + std::string(field) + "'");
}

long long readInteger(std::string_view field, std::string_view text, long long low, long long high) {
    long long value = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+') ++first;
    auto [end, ec] = std::from_chars(first, last, value);
    if (text.empty() || ec != std::errc() || end != last || value < low || value > high) invalidValue(field, text);
    return value;
}

Date readDate(std::string_view field, std::string_view text) {
    if (text.size() != 8) invalidValue(field, text);
    const int year = static_cast<int>(readInteger(field, text.substr(0, 4), 0, 9999));
    const int month = static_cast<int>(readInteger(field, text.substr(4, 2), 0, 99));
    const int day = static_cast<int>(readInteger(field, text.substr(6, 2), 0, 99));
    if (!isValidDate(year, month, day)) invalidValue(field, text);
    return {year, month, day};
}

// `checkUtf8` is for packets with character references: one to a surrogate or
// past U+10FFFF decodes to bytes that are no UTF-8, and such a text could not
// be written back as it was. Texts of other packets are valid by then.
std::string readText(std::string_view field, std::string_view text, size_t width, bool checkUtf8) {
    if (checkUtf8 && !isValidUtf8(text)) invalidValue(field, text);
    if (utf8Length(text) > width)
        throw StoreError("Value of field '" + std::string(field) + "' is longer than " + std::to_string(width) +
                         " characters");
    return std::string(text);
}

size_t countOf(std::string_view text, std::string_view part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string_view::npos; at = text.find(part, at + part.size())) ++count;
    return count;
}

void checkFields(const pugi::xml_node& fields) {
    for (const StoredField& stored : kStoredFields) {
        pugi::xml_node found;
        for (const pugi::xml_node& field : fields.children("FIELD"))
            if (stored.name == field.attribute("attrname").value()) found = field;
        if (!found) throw StoreError("Field '" + std::string(stored.name) + "' not found");
        const std::string_view type = found.attribute("fieldtype").value();
        if (type != stored.type)
            throw StoreError("Type mismatch for field '" + std::string(stored.name) + "', expecting: " +
                             std::string(stored.type) + " actual: " + std::string(type));
    }
}

EventRow readRow(const pugi::xml_node& node, bool checkUtf8) {
    EventRow row;
    for (const pugi::xml_attribute& attribute : node.attributes()) {
        const std::string_view name = attribute.name();
        const std::string_view value = attribute.value();
        if (name == "Nimi") {
            row.nimi = readText(name, value, kNimiWidth, checkUtf8);
        } else if (name == "Paev") {
            row.paev = static_cast<std::int16_t>(readInteger(name, value, INT16_MIN, INT16_MAX));
        } else if (name == "Kuu") {
            row.kuu = static_cast<std::int16_t>(readInteger(name, value, INT16_MIN, INT16_MAX));
        } else if (name == "Aasta") {
            row.aasta = static_cast<std::int32_t>(readInteger(name, value, INT32_MIN, INT32_MAX));
        } else if (name == "Tyyp") {
            row.tyyp = readText(name, value, kTyypWidth, checkUtf8);
        } else if (name == "Kuup") {
            row.kuup = readDate(name, value);
        }
    }
    return row;
}

void appendEscaped(std::string& out, std::string_view text) {
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    out += "&#" + std::to_string(static_cast<int>(c)) + ";";
                } else {
                    out += c;
                }
        }
    }
}

void appendNumber(std::string& out, std::string_view name, long long value) {
    out += ' ';
    out += name;
    out += "=\"";
    out += std::to_string(value);
    out += '"';
}

}  // namespace

std::vector<EventRow> readDataPacket(std::string_view bytes) { return readDataPacket(std::string(bytes)); }

std::vector<EventRow> readDataPacket(std::string&& bytes) {
    if (bytes.find_first_not_of(" \t\r\n") == std::string::npos)
        throw StoreError("Missing data provider or data packet");

    if (!isValidUtf8(bytes)) bytes = windows1257ToUtf8(bytes);
    const bool checkUtf8 = bytes.find("&#") != std::string::npos;
    const size_t rowTagCount = countOf(bytes, "<ROW");  // before parsing in place changes the bytes
    pugi::xml_document document;
    const pugi::xml_parse_result parsed =
        document.load_buffer_inplace(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_utf8);
    if (!parsed)
        throw StoreError(std::string("Invalid data packet: ") + parsed.description() + " at byte " +
                         std::to_string(parsed.offset));

    const pugi::xml_node packet = document.child("DATAPACKET");
    const pugi::xml_node fields = packet.child("METADATA").child("FIELDS");
    if (!packet || !fields) throw StoreError("Missing data provider or data packet");
    checkFields(fields);

    std::vector<EventRow> rows;
    rows.reserve(std::min(rowTagCount, bytes.size() / 16));
    for (pugi::xml_node node = packet.child("ROWDATA").first_child(); node; node = node.next_sibling())
        if (std::strcmp(node.name(), "ROW") == 0) rows.push_back(readRow(node, checkUtf8));
    return rows;
}

std::string writeDataPacket(const std::vector<EventRow>& rows) {
    constexpr std::string_view kRowsAt = "<ROWDATA>";
    const size_t split = kEmptyPacket.find(kRowsAt) + kRowsAt.size();
    std::string out;
    out.reserve(kEmptyPacket.size() + rows.size() * 100);
    out += kEmptyPacket.substr(0, split);
    for (const EventRow& row : rows) {
        out += "<ROW Nimi=\"";
        appendEscaped(out, row.nimi);
        out += '"';
        if (row.paev) appendNumber(out, "Paev", *row.paev);
        if (row.kuu) appendNumber(out, "Kuu", *row.kuu);
        if (row.aasta) appendNumber(out, "Aasta", *row.aasta);
        out += " Tyyp=\"";
        appendEscaped(out, row.tyyp);
        out += '"';
        if (row.kuup) {
            char date[16];
            std::snprintf(date, sizeof date, "%04d%02d%02d", row.kuup->year, row.kuup->month, row.kuup->day);
            out += " Kuup=\"";
            out += date;
            out += '"';
        }
        out += "/>";
    }
    out += kEmptyPacket.substr(split);
    out += "\r\n";
    return out;
}

}  // namespace store
