// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/DataPacket.h"

#include "store/Beside.h"
#include "store/PlainRows.h"
#include "store/StoreError.h"
#include "store/TextEncoding.h"

#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <functional>
#include <future>
#include <iterator>
#include <memory>
#include <numeric>
#include <optional>
#include <span>
#include <string>

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
    throw StoreError::badValue(field, shownText(value));
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
    // No more bytes than the width allows is no more characters either.
    if (text.size() > width && utf8Length(text) > width)
        throw StoreError::tooLong(field, static_cast<long long>(width));
    return std::string(text);
}

// How often `part` stands in `text`, without overlaps. Finds its first byte
// with memchr and compares the rest by hand: the parts are short.
size_t countOf(std::string_view text, std::string_view part) {
    size_t count = 0;
    const char* const end = text.data() + text.size();
    for (const char* at = text.data(); at + part.size() <= end;) {
        at = static_cast<const char*>(std::memchr(at, part[0], static_cast<size_t>(end - at)));
        if (!at || at + part.size() > end) break;
        size_t same = 1;
        while (same < part.size() && at[same] == part[same]) ++same;
        if (same == part.size()) {
            ++count;
            at += part.size();
        } else {
            ++at;
        }
    }
    return count;
}

void checkFields(const pugi::xml_node& fields) {
    for (const StoredField& stored : kStoredFields) {
        pugi::xml_node found;
        for (const pugi::xml_node& field : fields.children("FIELD"))
            if (stored.name == field.attribute("attrname").value()) found = field;
        if (!found) throw StoreError::fieldMissing(stored.name);
        const std::string_view type = found.attribute("fieldtype").value();
        if (type != stored.type) throw StoreError::fieldType(stored.name, stored.type, shownText(type));
    }
}

// The stored field of an attribute name, by position; -1 for another name.
int storedFieldOf(std::string_view name) {
    const auto is = [name](const char(&known)[5]) {
        return name[0] == known[0] && name[1] == known[1] && name[2] == known[2] && name[3] == known[3];
    };
    switch (name.size()) {
        case 3: return name[0] == 'K' && name[1] == 'u' && name[2] == 'u' ? Kuu : -1;
        case 4: return is("Nimi") ? Nimi : is("Paev") ? Paev : is("Tyyp") ? Tyyp : is("Kuup") ? Kuup : -1;
        case 5: return name == "Aasta" ? Aasta : -1;
        default: return -1;
    }
}

void readStoredField(EventRow& row, int field, std::string_view name, std::string_view value, bool checkUtf8) {
    switch (field) {
        case Nimi: row.nimi = readText(name, value, kNimiWidth, checkUtf8); break;
        case Paev: row.paev = static_cast<std::int16_t>(readInteger(name, value, INT16_MIN, INT16_MAX)); break;
        case Kuu: row.kuu = static_cast<std::int16_t>(readInteger(name, value, INT16_MIN, INT16_MAX)); break;
        case Aasta: row.aasta = static_cast<std::int32_t>(readInteger(name, value, -kMostYear, kMostYear)); break;
        case Tyyp: row.tyyp = readText(name, value, kTyypWidth, checkUtf8); break;
        case Kuup: row.kuup = readDate(name, value); break;
    }
}

void readField(EventRow& row, std::string_view name, std::string_view value, bool checkUtf8) {
    readStoredField(row, storedFieldOf(name), name, value, checkUtf8);
}

// Large packets are read in two parts, the second beside the first.
constexpr size_t kBytesToReadInParts = size_t{1} << 20;

// `text` whole, or, when large, in two parts that meet before a "<" near its
// middle: no counted text and no UTF-8 character spans that place, and in a
// plain packet's rows every "<" opens a row.
std::vector<std::string_view> partsOf(std::string_view text) {
    const size_t cut = text.size() < kBytesToReadInParts ? std::string_view::npos : text.find('<', text.size() / 2);
    if (cut == std::string_view::npos) return {text};
    return {text.substr(0, cut), text.substr(cut)};
}

// Runs work(part) for parts 0 … parts-1, the later ones beside the first;
// true when every part's work says true.
bool allPartsBeside(size_t parts, const std::function<bool(size_t)>& work) {
    std::vector<std::future<bool>> others;
    for (size_t part = 1; part < parts; ++part) others.push_back(std::async(kBeside, work, part));
    bool done = work(0);
    for (std::future<bool>& other : others) done = other.get() && done;
    return done;
}

// The row at `at` when it stands exactly as writeDataPacket writes rows
// (its attributes in the stored fields' order, each after one space, values
// without entities), read straight into the fresh `row`, moving `at` past it.
// False for any other shape, leaving `at`; then `row` may hold some of the
// row's own values, which the plain scanner reads again. Throws as readField.
bool readWrittenRow(std::string_view text, size_t& at, EventRow& row, bool checkUtf8) {
    // Byte by byte: the parts are too short for a library call to pay.
    const auto standsAt = [text](size_t place, std::string_view part) {
        if (part.size() > text.size() - place) return false;
        for (size_t k = 0; k < part.size(); ++k)
            if (text[place + k] != part[k]) return false;
        return true;
    };
    if (!standsAt(at, "<ROW")) return false;
    size_t i = at + 4;
    for (const StoredField& field : kStoredFields) {
        const size_t from = i + field.name.size() + 3;  // past ' Name="'
        if (from > text.size() || text[i] != ' ' || !standsAt(i + 1, field.name) || text[from - 2] != '=' ||
            text[from - 1] != '"')
            continue;  // a null value is left out
        size_t end = plainValueEnd(text, from);
        while (end < text.size() && text[end] == '\'') end = plainValueEnd(text, end + 1);
        if (end == text.size() || text[end] != '"') return false;
        readStoredField(row, field.position, field.name, text.substr(from, end - from), checkUtf8);
        i = end + 1;
    }
    if (!standsAt(i, "/>")) return false;
    at = i + 2;
    return true;
}

// Where readRowsInto puts the rows it reads: each row goes into fresh(), and
// done() takes it once read. These are the counted places rows[next, end).
class RowPlaces {
public:
    RowPlaces(std::vector<EventRow>& rows, size_t next, size_t end) : rows_(rows), next_(next), end_(end) {}
    bool more() const { return next_ < end_; }
    EventRow& fresh() { return rows_[next_]; }
    void done() { ++next_; }
    bool full() const { return next_ == end_; }

private:
    std::vector<EventRow>& rows_;
    size_t next_;
    size_t end_;
};

// `count` rows read one at a time into one place, of which those that `keep`
// says true of are kept.
class KeptRows {
public:
    KeptRows(const RowFilter& keep, size_t count) : keep_(keep), count_(count) {}
    bool more() const { return read_ < count_; }
    EventRow& fresh() {
        row_ = EventRow{};
        return row_;
    }
    void done() {
        ++read_;
        if (keep_(row_)) kept.push_back(std::move(row_));
    }
    bool full() const { return read_ == count_; }
    std::vector<EventRow> kept;

private:
    const RowFilter& keep_;
    size_t count_;
    size_t read_ = 0;
    EventRow row_;
};

// Reads the plain rows of `text` into `places`: those written as this
// program writes them straight, the rest through the plain scanner. False
// when `text` is not plain; throws StoreError for a bad value or for more
// rows than places. `checkUtf8`: the text was not checked for UTF-8
// beforehand; then only values may hold bytes beyond ASCII, and those of
// numbers are digits.
template <typename Places>
bool readRowsInto(std::string_view text, Places& places, bool checkUtf8) {
    size_t at = 0;
    while (places.more() && readWrittenRow(text, at, places.fresh(), checkUtf8)) places.done();
    return scanPlainRows(text.substr(at), [&](std::span<const PlainAttribute> attributes) {
        if (!places.more()) throw StoreError::noPacket();
        EventRow& row = places.fresh();
        for (const PlainAttribute& attribute : attributes) {
            if (checkUtf8 && storedFieldOf(attribute.name) < 0 && !isValidUtf8(attribute.value))
                throw StoreError::noPacket();
            readField(row, attribute.name, attribute.value, checkUtf8);
        }
        places.done();
    });
}

// The rows of a plain packet's row text, or nullopt when it is not plain.
// Each part fills its own share of the rows, counted beforehand by their
// "<ROW" openings; a part that is not plain makes its count come out wrong.
// Throws StoreError for a value out of its field's bounds.
std::optional<std::vector<EventRow>> readPlainRows(std::string_view text) {
    const std::vector<std::string_view> parts = partsOf(text);
    std::vector<size_t> firstRow(parts.size() + 1, 0);
    for (size_t i = 0; i < parts.size(); ++i) firstRow[i + 1] = firstRow[i] + countOf(parts[i], "<ROW");
    std::vector<EventRow> rows(firstRow.back());
    const bool plain = allPartsBeside(parts.size(), [&](size_t part) {
        RowPlaces places(rows, firstRow[part], firstRow[part + 1]);
        // Texts cut from valid UTF-8 at ASCII quotes, with ASCII entities, stay valid.
        return readRowsInto(parts[part], places, false) && places.full();
    });
    if (!plain) return std::nullopt;
    return rows;
}

// Where the packet opens and closes its rows.
constexpr std::string_view kRowsOpen = "<ROWDATA>";
constexpr std::string_view kRowsClose = "</ROWDATA>";
constexpr std::string_view kPacketClose = "</DATAPACKET>";

// Whether `head`, the packet before its "<ROWDATA>", makes a whole packet
// with an empty ROWDATA there as the last child of the first DATAPACKET,
// whose METADATA declares the stored fields.
bool isPlainHead(std::string_view head) {
    std::string whole(head);
    whole += "<ROWDATA/>";
    whole += kPacketClose;
    pugi::xml_document document;
    if (!document.load_buffer_inplace(whole.data(), whole.size(), pugi::parse_default, pugi::encoding_utf8))
        return false;
    const pugi::xml_node packet = document.child("DATAPACKET");
    const pugi::xml_node fields = packet.child("METADATA").child("FIELDS");
    const pugi::xml_node rowData = packet.child("ROWDATA");
    if (!fields || rowData != packet.last_child() || rowData.first_child() ||
        rowData.offset_debug() != static_cast<ptrdiff_t>(head.size() + 1))
        return false;
    try {
        checkFields(fields);
    } catch (const StoreError&) {
        return false;
    }
    return true;
}

// Whether `tail`, what follows the rows' "</ROWDATA>", is the packet's end
// and nothing but blanks.
bool isPlainTail(std::string_view tail) {
    return tail.starts_with(kPacketClose) &&
           tail.find_first_not_of(" \t\r\n", kPacketClose.size()) == std::string_view::npos;
}

// The rows of a packet in the plain shape, read without a tree of its rows,
// or nullopt when the packet is anything else or has a fault of any kind: the
// tree reader then reads it, or reports the fault in its own words.
std::optional<std::vector<EventRow>> readPlainPacket(std::string_view bytes) {
    const size_t open = bytes.find(kRowsOpen);
    const size_t close = bytes.rfind(kRowsClose);
    if (open == std::string_view::npos || close == std::string_view::npos || close < open + kRowsOpen.size() ||
        !isPlainTail(bytes.substr(close + kRowsClose.size())) || !isPlainHead(bytes.substr(0, open)))
        return std::nullopt;
    try {
        return readPlainRows(bytes.substr(open + kRowsOpen.size(), close - open - kRowsOpen.size()));
    } catch (const StoreError&) {
        return std::nullopt;
    }
}

std::vector<EventRow> readTree(std::string&& bytes) {
    const size_t rowsHint = std::min(countOf(bytes, "<ROW"), bytes.size() / 16);
    const bool checkUtf8 = bytes.find("&#") != std::string::npos;
    pugi::xml_document document;
    const pugi::xml_parse_result parsed =
        document.load_buffer_inplace(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_utf8);
    if (!parsed) throw StoreError::badXml(parsed.description(), parsed.offset);

    const pugi::xml_node packet = document.child("DATAPACKET");
    const pugi::xml_node fields = packet.child("METADATA").child("FIELDS");
    if (!packet || !fields) throw StoreError::noPacket();
    checkFields(fields);

    std::vector<EventRow> rows;
    rows.reserve(rowsHint);
    for (pugi::xml_node node = packet.child("ROWDATA").first_child(); node; node = node.next_sibling()) {
        if (std::strcmp(node.name(), "ROW") != 0) continue;
        EventRow& row = rows.emplace_back();
        for (const pugi::xml_attribute& attribute : node.attributes())
            readField(row, attribute.name(), attribute.value(), checkUtf8);
    }
    return rows;
}

// What reading a packet costs in memory, counting every element as a row:
// a row lives in the list with its places in the list's order and view, and
// once more in the copy a command makes of the list; a packet read whole
// may first become a document tree, of a node per element and one per
// attribute, which holds the rows as they are made.
constexpr size_t kBytesPerRow = 2 * sizeof(EventRow) + 2 * sizeof(size_t);
constexpr size_t kBytesPerNode = 64;
constexpr size_t kBytesPerAttribute = 40;
// A packet may cost at most this many times its size in memory; every
// packet this program writes of rows with a day and a month costs less.
constexpr size_t kMostCostPerByte = 8;

// What the checks before reading need to know of a packet's bytes; large
// packets are looked through in two parts, the second beside the first.
struct Census {
    size_t firstInvalid = std::string_view::npos;  // UTF-8
    size_t elements = 0;                           // "<"
    size_t attributes = 0;                         // "=\""

    // Adds another part's counts; where its UTF-8 fails is the caller's to place.
    void addCounts(const Census& other) {
        elements += other.elements;
        attributes += other.attributes;
    }
};

constexpr std::uint64_t kLowBits = 0x0101010101010101u;
constexpr std::uint64_t kHighBits = 0x8080808080808080u;

// The eight bytes at `p` as one number, the first byte lowest.
std::uint64_t wordAt(const char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    if constexpr (std::endian::native == std::endian::big) {
        std::uint64_t swapped = 0;
        for (int k = 0; k < 8; ++k, word >>= 8) swapped = swapped << 8 | (word & 0xff);
        word = swapped;
    }
    return word;
}

// The high bit of each byte of `word` that is `c`, and no other bit.
std::uint64_t bytesEqualTo(std::uint64_t word, unsigned char c) {
    const std::uint64_t x = word ^ (kLowBits * c);
    return ~(((x & ~kHighBits) + ~kHighBits) | x) & kHighBits;
}

// How many bytes of a bytesEqualTo() result are marked (popcount, without
// the instruction the baseline x86-64 lacks).
size_t markedBytes(std::uint64_t marks) { return static_cast<size_t>(((marks >> 7) * kLowBits) >> 56); }

// One pass, eight bytes at a time; UTF-8 is checked (when asked) character
// by character only in words that are not plain ASCII.
Census censusOf(std::string_view bytes, bool checkUtf8 = true) {
    Census census;
    const size_t n = bytes.size();
    size_t checked = 0;  // the bytes before are well-formed UTF-8
    const auto checkUpTo = [&](size_t end) {
        while (checked < end && census.firstInvalid == std::string_view::npos) {
            if (static_cast<unsigned char>(bytes[checked]) < 0x80) {
                ++checked;
                continue;
            }
            const size_t length = utf8CharacterAt(bytes, checked).length;
            if (length == 0)
                census.firstInvalid = checked;
            else
                checked += length;
        }
    };
    bool equalsBefore = false;  // the byte before is "="
    size_t at = 0;
    for (; n - at >= 8; at += 8) {
        const std::uint64_t word = wordAt(bytes.data() + at);
        const std::uint64_t equals = bytesEqualTo(word, '=');
        const std::uint64_t quotes = bytesEqualTo(word, '"');
        census.elements += markedBytes(bytesEqualTo(word, '<'));
        census.attributes +=
            markedBytes((equals << 8) & quotes) + static_cast<size_t>(equalsBefore && (quotes & 0x80) != 0);
        equalsBefore = (equals >> 63) != 0;
        // A character started in an earlier word ends before an ASCII one.
        if ((word & kHighBits) != 0 && checkUtf8)
            checkUpTo(at + 8);
        else
            checked = at + 8;
    }
    for (; at < n; ++at) {
        census.elements += static_cast<size_t>(bytes[at] == '<');
        census.attributes += static_cast<size_t>(equalsBefore && bytes[at] == '"');
        equalsBefore = bytes[at] == '=';
    }
    if (checkUtf8) checkUpTo(n);
    return census;
}

// Whether `cost` bytes of memory are within the allowance of a packet of
// `size` bytes.
bool withinAllowance(size_t cost, size_t size) { return cost <= kMostCostPerByte * size + 4096; }

// Whether the rows of a packet with these counts are within its allowance.
bool rowsWithinAllowance(const Census& counted, size_t size) {
    return withinAllowance(counted.elements * kBytesPerRow, size);
}

// Whether a document tree of a packet with these counts, with the rows it
// holds, is within the packet's allowance.
bool treeWithinAllowance(const Census& counted, size_t size) {
    return withinAllowance(
        counted.elements * (kBytesPerNode + sizeof(EventRow)) + counted.attributes * kBytesPerAttribute, size);
}

Census census(std::string_view bytes) {
    const std::vector<std::string_view> parts = partsOf(bytes);
    if (parts.size() == 1) return censusOf(bytes);
    std::future<Census> secondPart = std::async(kBeside, [&] { return censusOf(parts[1]); });
    Census whole = censusOf(parts[0]);
    const Census second = secondPart.get();
    if (whole.firstInvalid == std::string_view::npos && second.firstInvalid != std::string_view::npos)
        whole.firstInvalid = parts[0].size() + second.firstInvalid;
    whole.addCounts(second);
    return whole;
}

// The packet's bytes in UTF-8, its rows' cost in memory checked; `counted`
// tells its elements and attributes. Windows-1257 keeps ASCII as it is, so
// its counts hold for its UTF-8 too.
std::string prepare(std::string&& bytes, Census& counted) {
    if (bytes.find_first_not_of(" \t\r\n") == std::string::npos) throw StoreError::emptyFile();
    counted = census(bytes);
    const bool utf8 = counted.firstInvalid == std::string::npos;
    if (!utf8 || holdsC1Control(bytes)) {
        if (readsBetterAsWindows1257(bytes))
            bytes = windows1257ToUtf8(bytes);
        else if (!utf8)
            throw StoreError::notUtf8(static_cast<long long>(counted.firstInvalid));
    }
    if (!rowsWithinAllowance(counted, bytes.size())) throw StoreError::tooManyElements();
    return bytes;
}

// The rows of a prepared packet by its document tree, when that stays
// within the packet's allowance.
std::vector<EventRow> readTreeWithinAllowance(std::string&& bytes, const Census& counted) {
    if (!treeWithinAllowance(counted, bytes.size())) throw StoreError::tooManyElements();
    return readTree(std::move(bytes));
}

// --- a packet read from its file in pieces ------------------------------------
//
// A plain packet's rows are read from the file twice, a piece at a time into
// a small buffer, instead of whole into memory the size of the file: once to
// count them and check the packet's allowance, once more to check their
// UTF-8 and read them into their places. Anything else, and a file that
// changes meanwhile, is read whole.

constexpr size_t kPieceBytes = size_t{1} << 18;
constexpr size_t kHeadBytes = size_t{1} << 16;  // where "<ROWDATA>" is looked for
constexpr size_t kTailBytes = size_t{1} << 12;  // where "</ROWDATA>" is looked for

// Reads [from, to) of `file` in pieces that each end before a "<" (the last
// at `to`), and hands each to `onPiece`. False when a piece holds no "<" to
// end before (a row longer than a piece), the file ends early, or onPiece
// says false.
bool readPieces(const FileReader& file, std::uint64_t from, std::uint64_t to,
                const std::function<bool(std::string_view)>& onPiece) {
    if (from == to) return true;
    const auto buffer = std::make_unique_for_overwrite<char[]>(kPieceBytes);
    size_t kept = 0;  // the bytes from the last piece's end on
    for (;;) {
        const auto wanted = static_cast<size_t>(std::min<std::uint64_t>(kPieceBytes - kept, to - from));
        if (file.readAt(from, {buffer.get() + kept, wanted}) != wanted) return false;
        from += wanted;
        const std::string_view filled(buffer.get(), kept + wanted);
        const size_t end = from == to ? filled.size() : filled.rfind('<');
        if (end == 0 || end == std::string_view::npos || !onPiece(filled.substr(0, end))) return false;
        if (from == to) return true;
        kept = filled.size() - end;
        std::memmove(buffer.get(), buffer.get() + end, kept);
    }
}

// Where a plain packet's rows lie in its file, in one part or in two, and
// how many rows each part holds.
struct PlainLayout {
    std::vector<std::uint64_t> bounds;  // part i is [bounds[i], bounds[i + 1])
    std::vector<size_t> rowCounts;
};

// The layout of a plain packet in `file`, found by reading its rows once in
// pieces, or nullopt when it is anything else or has a fault of any kind.
std::optional<PlainLayout> plainLayoutOf(const FileReader& file) {
    const std::uint64_t size = file.size();
    std::string head(static_cast<size_t>(std::min<std::uint64_t>(size, kHeadBytes)), '\0');
    if (file.readAt(0, head) != head.size()) return std::nullopt;
    const size_t open = head.find(kRowsOpen);
    if (open == std::string::npos) return std::nullopt;
    head.resize(open + kRowsOpen.size());
    const std::uint64_t rowsFrom = head.size();
    std::string tail(static_cast<size_t>(std::min<std::uint64_t>(size - rowsFrom, kTailBytes)), '\0');
    if (file.readAt(size - tail.size(), tail) != tail.size()) return std::nullopt;
    const size_t close = tail.rfind(kRowsClose);
    if (close == std::string::npos || !isPlainTail(std::string_view(tail).substr(close + kRowsClose.size())) ||
        !isPlainHead(std::string_view(head).substr(0, open)))
        return std::nullopt;
    const std::uint64_t rowsTo = size - tail.size() + close;
    tail.erase(0, close);

    // The rows in one part, or in two that meet before a "<" near their middle.
    std::vector<std::uint64_t> bounds{rowsFrom, rowsTo};
    if (rowsTo - rowsFrom >= kBytesToReadInParts) {
        std::string window(kHeadBytes, '\0');
        const std::uint64_t middle = rowsFrom + (rowsTo - rowsFrom) / 2;
        window.resize(file.readAt(middle, window));
        const size_t cut = window.find('<');
        if (cut != std::string::npos && middle + cut < rowsTo) bounds.insert(bounds.begin() + 1, middle + cut);
    }
    const size_t parts = bounds.size() - 1;

    // In a plain packet's rows every "<" opens a row.
    std::vector<Census> counted(parts);
    const bool countedAll = allPartsBeside(parts, [&](size_t part) {
        return readPieces(file, bounds[part], bounds[part + 1], [&](std::string_view piece) {
            counted[part].addCounts(censusOf(piece, false));
            // Which code page such a packet is in takes all of it to tell.
            return !holdsC1Control(piece);
        });
    });
    Census whole = censusOf(head);
    const Census ofTail = censusOf(tail);
    if (!countedAll || whole.firstInvalid != std::string::npos || ofTail.firstInvalid != std::string::npos)
        return std::nullopt;
    whole.addCounts(ofTail);
    PlainLayout layout{std::move(bounds), {}};
    for (const Census& part : counted) {
        whole.addCounts(part);
        layout.rowCounts.push_back(part.elements);
    }
    if (!rowsWithinAllowance(whole, static_cast<size_t>(size))) return std::nullopt;
    return layout;
}

// Reads the parts of `layout` in pieces, each into its own places; false
// when a part does not read as plain or holds other than its count of rows.
// Read again, so checked again: the file may have changed since.
template <typename Places>
bool readParts(const FileReader& file, const PlainLayout& layout, std::vector<Places>& places) {
    return allPartsBeside(places.size(), [&](size_t part) {
        return readPieces(file, layout.bounds[part], layout.bounds[part + 1],
                          [&](std::string_view piece) { return readRowsInto(piece, places[part], true); }) &&
               places[part].full();
    });
}

// The rows of a plain packet in `file`, read in pieces, or nullopt when it is
// anything else or has a fault of any kind: it is then read whole.
std::optional<std::vector<EventRow>> readPlainPacketInPieces(const FileReader& file) {
    const std::optional<PlainLayout> layout = plainLayoutOf(file);
    if (!layout) return std::nullopt;
    std::vector<EventRow> rows(std::reduce(layout->rowCounts.begin(), layout->rowCounts.end()));
    std::vector<RowPlaces> places;
    size_t first = 0;
    for (const size_t partCount : layout->rowCounts) {
        places.emplace_back(rows, first, first + partCount);
        first += partCount;
    }
    if (!readParts(file, *layout, places)) return std::nullopt;
    return rows;
}

// The rows of a plain packet in `file` that `keep` says true of, read in
// pieces as above.
std::optional<std::vector<EventRow>> readKeptPlainRowsInPieces(const FileReader& file, const RowFilter& keep) {
    const std::optional<PlainLayout> layout = plainLayoutOf(file);
    if (!layout) return std::nullopt;
    std::vector<KeptRows> parts;
    for (const size_t partCount : layout->rowCounts) parts.emplace_back(keep, partCount);
    if (!readParts(file, *layout, parts)) return std::nullopt;
    std::vector<EventRow> rows = std::move(parts.front().kept);
    for (size_t part = 1; part < parts.size(); ++part)
        std::move(parts[part].kept.begin(), parts[part].kept.end(), std::back_inserter(rows));
    return rows;
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
    Census counted;
    std::string packet = prepare(std::move(bytes), counted);
    if (auto rows = readPlainPacket(packet)) return std::move(*rows);
    return readTreeWithinAllowance(std::move(packet), counted);
}

std::vector<EventRow> readDataPacket(const FileReader& file) {
    try {
        if (auto rows = readPlainPacketInPieces(file)) return std::move(*rows);
    } catch (const StoreError&) {
        // read whole, which reports the fault in its own words
    }
    std::string bytes(static_cast<size_t>(file.size()), '\0');
    bytes.resize(file.readAt(0, bytes));
    return readDataPacket(std::move(bytes));
}

std::vector<EventRow> readDataPacket(const FileReader& file, const RowFilter& keep) {
    try {
        if (auto rows = readKeptPlainRowsInPieces(file, keep)) return std::move(*rows);
    } catch (const StoreError&) {
        // read whole, which reports the fault in its own words
    }
    std::vector<EventRow> rows = readDataPacket(file);
    std::erase_if(rows, [&keep](const EventRow& row) { return !keep(row); });
    return rows;
}

std::vector<EventRow> readDataPacketByTree(std::string_view bytes) {
    Census counted;
    std::string packet = prepare(std::string(bytes), counted);
    return readTreeWithinAllowance(std::move(packet), counted);
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
