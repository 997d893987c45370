// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/DataPacket.h"
#include "store/StoreError.h"
#include "tests/support/EventRows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <mutex>
#include <optional>
#include <random>
#include <regex>
#include <span>
#include <utility>
#include <variant>

namespace store {
namespace {

// The bytes as a file read by position, by several threads at once. When
// asked, one byte changes to 0xFF once it has been read, as if the file were
// rewritten in place.
class BytesFile : public FileReader {
public:
    explicit BytesFile(std::string bytes, std::optional<size_t> changingByte = std::nullopt)
        : bytes_(std::move(bytes)), changingByte_(changingByte) {}
    std::uint64_t size() const override { return bytes_.size(); }
    size_t largestRead() const { return largestRead_; }
    size_t readAt(std::uint64_t offset, std::span<char> into) const override {
        const std::lock_guard lock(mutex_);
        largestRead_ = std::max(largestRead_, into.size());
        const size_t copied = offset < bytes_.size() ? bytes_.copy(into.data(), into.size(), offset) : 0;
        if (changingByte_ && *changingByte_ >= offset && *changingByte_ < offset + copied)
            bytes_[*std::exchange(changingByte_, std::nullopt)] = '\xFF';
        return copied;
    }

private:
    mutable std::mutex mutex_;
    mutable std::string bytes_;
    mutable std::optional<size_t> changingByte_;
    mutable size_t largestRead_ = 0;
};

// What reading gives: the rows, or the error's text.
std::variant<std::vector<EventRow>, std::string> outcome(const std::function<std::vector<EventRow>()>& read) {
    try {
        return read();
    } catch (const StoreError& error) {
        return std::string(error.what());
    }
}

// The error reading the packet gives, from memory and from a file alike.
std::string errorOf(std::string_view bytes) {
    const auto fromMemory = outcome([&] { return readDataPacket(bytes); });
    EXPECT_EQ(outcome([&] { return readDataPacket(BytesFile(std::string(bytes))); }), fromMemory);
    return std::holds_alternative<std::string>(fromMemory) ? std::get<std::string>(fromMemory) : "no error";
}

std::string packetWithRows(const std::string& rows) {
    std::string packet(kEmptyPacket);
    packet.replace(packet.find("<ROWDATA></ROWDATA>"), 19, "<ROWDATA>" + rows + "</ROWDATA>");
    return packet;
}

EventRow sample(std::string name, std::optional<std::int32_t> year = 1980) {
    return eventRow(std::move(name), 5, 3, year, "S", 2026);
}

TEST(DataPacket, TheEmptyPacketIsExactAndHoldsNoRows) {
    EXPECT_EQ(kEmptyPacket.size(), 431u);
    EXPECT_TRUE(readDataPacket(kEmptyPacket).empty());
    EXPECT_EQ(writeDataPacket({}), std::string(kEmptyPacket) + "\r\n");
}

TEST(DataPacket, RowsSurviveWritingAndReading) {
    std::vector<EventRow> rows = {sample("Õie Šõmer-Žužžälöü"), sample("O'Brien & \"Co\" <x>", std::nullopt),
                                  sample(""), sample("Tab\there, new\nline, return\r"), sample("Ann*")};
    rows[1].tyyp = "M";
    rows[2].paev.reset();
    rows[2].kuu = -7;
    rows[3].kuup.reset();
    rows[4].aasta = 980;
    rows[4].kuup = Date{980, 3, 5};
    const std::string packet = writeDataPacket(rows);
    EXPECT_EQ(readDataPacket(packet), rows);
    EXPECT_NE(packet.find("<ROW Nimi=\"Õie Šõmer-Žužžälöü\" Paev=\"5\" Kuu=\"3\" Aasta=\"1980\" Tyyp=\"S\" "
                          "Kuup=\"19800305\"/>"),
              std::string::npos);
    EXPECT_NE(packet.find("Kuup=\"09800305\""), std::string::npos);
    EXPECT_EQ(packet.find("Aasta=\"\""), std::string::npos);
}

TEST(DataPacket, ReadsWindows1257Files) {
    // "Õie Šõmer" in the Estonian Windows code page.
    const std::string name = "\xD5ie \xD0\xF5mer \xE4\xF6\xFC\xFE";
    const std::string packet = packetWithRows("<ROW Nimi=\"" + name + "\" Paev=\"1\" Kuu=\"2\" Tyyp=\"N\"/>");
    const auto rows = readDataPacket(packet);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].nimi, "Õie Šõmer äöüž");
    EXPECT_FALSE(rows[0].aasta);
    EXPECT_FALSE(rows[0].kuup);
    EXPECT_EQ(readDataPacket(BytesFile(packet)), rows);

    // Windows-1257 letters whose bytes happen to be UTF-8 too: "Ä–" as U+0116
    // among letters that are not, "Ā€" and "Ā„" as C1 controls. A UTF-8 list
    // keeps a strange character among its letters.
    for (const auto& [bytes, text] :
         std::vector<std::pair<std::string, std::string>>{{"\xC4\x96 \xD5ie", "Ä– Õie"},
                                                          {"\xC2\x80 \xC2\x84", "Ā€ Ā„"},
                                                          {"J\xC3\xB5ulud \xC2\x9B \xC3\xA4", "Jõulud \u009B ä"}}) {
        const std::string tricky = packetWithRows("<ROW Nimi=\"" + bytes + "\" Paev=\"1\" Kuu=\"2\" Tyyp=\"N\"/>");
        EXPECT_EQ(readDataPacket(tricky).at(0).nimi, text);
        EXPECT_EQ(readDataPacket(BytesFile(tricky)), readDataPacket(tricky));
    }
}

TEST(DataPacket, AStrayByteInAUtf8ListIsDamageNotWindows1257) {
    const std::string rows = "<ROW Nimi=\"Jõulud\" Paev=\"24\" Kuu=\"12\" Tyyp=\"T\"/><ROW Nimi=\"X\xF5\" Tyyp=\"M\"/>";
    const std::string packet = packetWithRows(rows);
    const size_t stray = packet.find('\xF5');
    using Reader = std::vector<EventRow> (*)(std::string_view);
    for (const Reader read : {static_cast<Reader>(readDataPacket), static_cast<Reader>(readDataPacketByTree)}) {
        try {
            read(packet);
            ADD_FAILURE() << "a damaged list was read";
        } catch (const StoreError& error) {
            EXPECT_STREQ(
                error.what(),
                ("ClientDataSet1: Invalid data packet: byte " + std::to_string(stray) + " is not UTF-8").c_str());
        }
    }
}

TEST(DataPacket, RefusesDamagedPacketsWithAClearError) {
    EXPECT_EQ(errorOf(""), "ClientDataSet1: Missing data provider or data packet");
    EXPECT_EQ(errorOf("\r\n"), "ClientDataSet1: Missing data provider or data packet");
    EXPECT_EQ(errorOf("<?xml version=\"1.0\"?><other/>"), "ClientDataSet1: Missing data provider or data packet");

    std::string noKuup(kEmptyPacket);
    noKuup.erase(noKuup.find("<FIELD attrname=\"Kuup\""),
                 std::string("<FIELD attrname=\"Kuup\" fieldtype=\"date\"/>").size());
    EXPECT_EQ(errorOf(noKuup), "ClientDataSet1: Field 'Kuup' not found");

    std::string wrongType(kEmptyPacket);
    wrongType.replace(wrongType.find("\"Paev\" fieldtype=\"i2\""), 21, "\"Paev\" fieldtype=\"string\"");
    EXPECT_EQ(errorOf(wrongType), "ClientDataSet1: Type mismatch for field 'Paev', expecting: i2 actual: string");

    EXPECT_EQ(errorOf(packetWithRows("<ROW Nimi=\"x\" Paev=\"viis\"/>")),
              "ClientDataSet1: Invalid value 'viis' for field 'Paev'");
    EXPECT_EQ(errorOf(packetWithRows("<ROW Nimi=\"x\" Paev=\"40000\"/>")),
              "ClientDataSet1: Invalid value '40000' for field 'Paev'");
    EXPECT_EQ(errorOf(packetWithRows("<ROW Nimi=\"x\" Kuup=\"20260230\"/>")),
              "ClientDataSet1: Invalid value '20260230' for field 'Kuup'");
    EXPECT_EQ(errorOf(packetWithRows("<ROW Nimi=\"x\" Tyyp=\"SS\"/>")),
              "ClientDataSet1: Value of field 'Tyyp' is longer than 1 characters");
    EXPECT_EQ(errorOf(packetWithRows("<ROW Nimi=\"" + std::string(10'000'000, 'a') + "\"/>")),
              "ClientDataSet1: Value of field 'Nimi' is longer than 99 characters");
    EXPECT_EQ(readDataPacket(packetWithRows("<ROW Nimi=\"" + std::string(99, 'a') + "\"/>"))[0].nimi.size(), 99u);

    // An attribute the list does not keep is checked for UTF-8 as well.
    EXPECT_EQ(errorOf(packetWithRows("<ROW Nimi=\"\u00d5ie\" Muu=\"\xFF\"/>")),
              "ClientDataSet1: Invalid data packet: byte " +
                  std::to_string(packetWithRows("").find("</ROWDATA>") + 22) + " is not UTF-8");

    // References that decode to no UTF-8 text could never be written back.
    EXPECT_EQ(errorOf(packetWithRows("<ROW Nimi=\"a&#xD800;b\"/>")),
              "ClientDataSet1: Invalid value 'a\xED\xA0\x80"
              "b' for field 'Nimi'");
    EXPECT_TRUE(errorOf(packetWithRows("<ROW Nimi=\"&#x110000;\"/>")).starts_with("ClientDataSet1: "));
    EXPECT_EQ(readDataPacket(packetWithRows("<ROW Nimi=\"&#x10FFFF;&#xE9;\"/>"))[0].nimi, "\U0010FFFF\u00E9");

    const std::string truncated(kEmptyPacket.substr(0, 200));
    EXPECT_TRUE(errorOf(truncated).starts_with("ClientDataSet1: Invalid data packet: ")) << errorOf(truncated);
}

// Plainly written packets are read without a document tree, from a file in
// pieces; everything else goes through the tree. All ways must agree on
// every input.
// A filter for reading that keeps some rows of a list and leaves out others.
bool hasEvenName(const EventRow& row) { return row.nimi.size() % 2 == 0; }

// What reading gives when it keeps only the rows of even names.
std::variant<std::vector<EventRow>, std::string> kept(std::variant<std::vector<EventRow>, std::string> read) {
    if (auto* rows = std::get_if<std::vector<EventRow>>(&read)) std::erase_if(*rows, std::not_fn(hasEvenName));
    return read;
}

// Every way of reading gives the same rows or the same error: from memory,
// through the tree, and from a file, whole or keeping only some rows.
void expectBothWaysAlike(const std::string& bytes) {
    const auto fast = outcome([&] { return readDataPacket(bytes); });
    const auto tree = outcome([&] { return readDataPacketByTree(bytes); });
    EXPECT_EQ(fast, tree) << bytes;
    EXPECT_EQ(outcome([&] { return readDataPacket(BytesFile(bytes)); }), tree) << bytes;
    EXPECT_EQ(outcome([&] { return readDataPacket(BytesFile(bytes), hasEvenName); }), kept(tree)) << bytes;
}

TEST(DataPacket, UnusualButValidPacketsReadAsTheTreeReadsThem) {
    const std::string row = "<ROW Nimi=\"Õie\" Paev=\"5\" Kuu=\"3\" Tyyp=\"S\"/>";
    for (const std::string& rows : std::vector<std::string>{
             row + row,
             "\r\n  " + row + "\t\n" + row + "\r\n",
             "<ROW Nimi='O&apos;Brien &amp; &quot;Ko&quot; &lt;&gt;' Paev='1'/>",
             "<ROW Nimi=\"a&#38;b&#x41;\"/>",
             "<ROW Nimi=\"line\nbreak\ttab\"/>",
             "<ROW Nimi=\"a&b\"/><ROW Nimi=\"&unknown;\"/><ROW Nimi=\"&lt\"/>",
             row + "<!-- a comment -->" + row,
             row + "text between" + row,
             "<ROW Nimi=\"x\"></ROW>" + row,
             "<ROW Nimi=\"x\"><ROW Nimi=\"inner\"/></ROW>",
             "<ROW/><ROW />" + row,
             "<ROW Nimi = \"spaced\" Paev=\"2\"/>",
             "<ROW Nimi=\"a\"Paev=\"2\"/>",
             "<ROW Nimi=\"first\" Nimi=\"second\"/>",
             "<ROW Other=\"ignored\" x:y-z.w=\"1\" Nimi=\"n\"/>",
             "<ROW 1bad=\"1\"/>",
             "<ROWS Nimi=\"not a row\"/>" + row,
             "<ROW Nimi=\"a > b\"/>",
             "<ROW Nimi=\"a < b\"/>",
             "<![CDATA[<ROW Nimi=\"x\"/>]]>" + row,
             "<ROW Nimi=\"viga\" Paev=\"viis\"/>",
             "<ROW Nimi=\"" + std::string(100, 'a') + "\"/>",
             "<ROW Nimi=\"unclosed/>",
             "<ROW Nimi=\"x\"/></ROWDATA><ROWDATA>" + row,
         })
        expectBothWaysAlike(packetWithRows(rows));
    // The readers agree above; here, that they agree on the right rows: only
    // ROW elements are rows, not other elements or text between them.
    const auto names = [](const std::string& rows) {
        std::string out;
        for (const EventRow& read : readDataPacketByTree(packetWithRows(rows))) out += read.nimi + ";";
        return out;
    };
    EXPECT_EQ(names("<ROWS Nimi=\"not a row\"/>" + row), "Õie;");
    EXPECT_EQ(names(row + "text between" + row), "Õie;Õie;");
    EXPECT_EQ(names("<ROW Nimi=\"x\"><ROW Nimi=\"inner\"/></ROW>"), "x;");

    std::string packet = packetWithRows(row);
    for (const std::string& variant : std::vector<std::string>{
             packet + "</DATAPACKET>",
             packet + "<!-- after -->",
             "\xEF\xBB\xBF" + packet,
             std::regex_replace(packet, std::regex("<METADATA>"), "<!-- <ROWDATA> --><METADATA>"),
             std::regex_replace(packet, std::regex("<ROWDATA>"), "<ROWDATA></ROWDATA><ROWDATA>"),
             std::regex_replace(packet, std::regex("</DATAPACKET>"),
                                "</DATAPACKET><DATAPACKET><ROWDATA>" + row + "</ROWDATA></DATAPACKET>"),
             std::regex_replace(packet, std::regex("<ROWDATA>"), "<OTHER><ROWDATA>"),
             std::regex_replace(packet, std::regex("Nimi"), "Name"),
         })
        expectBothWaysAlike(variant);
}

// A large packet is read in parts; what stands in either part, or where
// they meet, reads as the tree reads it.
TEST(DataPacket, ALargePacketReadsAsTheTreeReadsIt) {
    std::vector<EventRow> rows;
    for (int i = 0; i < 20000; ++i)
        rows.push_back(sample("Nimi & \"" + std::to_string(i) + "\" <Õie>", 1900 + i % 100));
    const std::string packet = writeDataPacket(rows);
    ASSERT_GT(packet.size(), size_t{2} << 20);
    EXPECT_EQ(readDataPacket(packet), rows);
    const BytesFile file(packet);
    EXPECT_EQ(readDataPacket(file), rows);
    EXPECT_LT(file.largestRead(), packet.size() / 4) << "a plain packet is never read whole";
    const BytesFile keptFrom(packet);
    EXPECT_EQ(readDataPacket(keptFrom, hasEvenName), std::get<std::vector<EventRow>>(kept(rows)));
    EXPECT_LT(keptFrom.largestRead(), packet.size() / 4);

    const size_t middle = packet.find("<ROW ", packet.size() / 2);
    const size_t late = packet.find("<ROW ", packet.size() * 9 / 10);
    for (const auto& [at, text] : std::vector<std::pair<size_t, std::string>>{
             {middle, "<!-- a comment -->"},
             {late, "text"},
             {middle, "<ROW Nimi=\"x\" Paev=\"viis\"/>"},
             {late, "<ROW Nimi=\"x\" Kuu=\"99999\"/>"},
             {middle + 4, "X"},
         }) {
        std::string changed = packet;
        changed.insert(at, text);
        expectBothWaysAlike(changed);
    }
    // The second half is checked for UTF-8 too, and its faults are told at
    // their place in the whole.
    for (const size_t at : {size_t{100}, middle + 7, late}) {
        std::string damaged = packet;
        damaged[at] = '\xF5';
        EXPECT_EQ(std::get<std::string>(outcome([&] { return readDataPacket(damaged); })),
                  "ClientDataSet1: Invalid data packet: byte " + std::to_string(at) + " is not UTF-8");
    }
}

// A packet may cost at most eight times its size in memory: each element
// as a row of the list, kept twice, with its two places in the list's
// indexes; and a packet that is not plain, read by its document tree, a
// node (64 bytes) holding a row for each element and 40 bytes an attribute.
// Every "<" and "=\"" counts, wherever it falls among the eight-byte words
// the check reads: one element past the allowance is refused, the packet at
// it is not. Plain rows with a day and a month, however short, are always
// within it.
TEST(DataPacket, ElementsAreCountedExactlyAgainstThePacketsAllowance) {
    const auto occurrences = [](const std::string& text, std::string_view part) {
        size_t count = 0;
        for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++count;
        return count;
    };
    const auto withinAllowance = [&](const std::string& packet) {
        const size_t allowance = 8 * packet.size() + 4096;
        const size_t elements = occurrences(packet, "<");
        const bool plain = packet.find("<R ") == std::string::npos;
        return elements * (2 * sizeof(EventRow) + 16) <= allowance &&
               (plain || elements * (64 + sizeof(EventRow)) + occurrences(packet, "=\"") * 40 <= allowance);
    };
    const std::string tooDense = "ClientDataSet1: Invalid data packet: too many elements for its size";
    for (const std::string& unit : {std::string("<R a=\"1\"/>"), std::string("<R a=\"\u00f5\"/>"),
                                    std::string("<ROW/>"), std::string("<ROW Nimi=\"\" Tyyp=\"\"/>")}) {
        std::string rows;
        while (withinAllowance(packetWithRows(rows + unit))) rows += unit;
        EXPECT_NE(errorOf(packetWithRows(rows)), tooDense) << unit;
        EXPECT_EQ(errorOf(packetWithRows(rows + unit)), tooDense) << unit;
    }
    std::string shortest;
    for (int i = 0; i < 100'000; ++i) shortest += "<ROW Nimi=\"\" Paev=\"1\" Kuu=\"1\" Tyyp=\"\"/>";
    EXPECT_EQ(errorOf(packetWithRows(shortest)), "no error");
    // A stray byte among many two-byte letters is told at its place.
    const std::string rows = std::string(1001, ' ') + "<R a=\"" + std::string(20'000, 'x') + "\u00f5\"/>";
    for (const std::string& damage : {std::string("\xF5"), std::string("\xC3"), std::string("\xC3\xC3")}) {
        const std::string packet = packetWithRows(rows + damage + "\u00f5");
        EXPECT_EQ(errorOf(packet), "ClientDataSet1: Invalid data packet: byte " +
                                       std::to_string(packet.find("</ROWDATA>") - 2 - damage.size()) + " is not UTF-8");
    }
}

// A file read in pieces is read twice; a byte that turns bad between the
// readings is checked on the second, and the file is read again whole.
TEST(DataPacket, AFileChangedWhileReadIsReadAsItEndsUp) {
    std::vector<EventRow> rows;
    for (int i = 0; i < 20000; ++i) rows.push_back(sample("Õie " + std::to_string(i)));
    std::string packet = writeDataPacket(rows);
    for (const size_t row : {size_t{15000}, size_t{19999}}) {
        const size_t changing = packet.find("Õie " + std::to_string(row) + "\"") + 1;
        std::string changed = packet;
        changed[changing] = '\xFF';
        EXPECT_EQ(outcome([&] { return readDataPacket(BytesFile(packet, changing)); }),
                  outcome([&] { return readDataPacket(changed); }));
        EXPECT_EQ(outcome([&] { return readDataPacket(BytesFile(packet, changing), hasEvenName); }),
                  kept(outcome([&] { return readDataPacket(changed); })));
    }
}

TEST(DataPacket, RandomDamageNeverCrashesAndReadsTheSameBothWays) {
    std::mt19937 random(7);
    const std::string valid =
        writeDataPacket({sample("Mari & \"Jüri\" <Õie>"), sample("Jüri", std::nullopt), sample("Ann")});
    const std::string marks = "<>/=\"'& \n!-ROW&#;";
    for (int round = 0; round < 3000; ++round) {
        std::string bytes = valid;
        const int flips = 1 + static_cast<int>(random() % 8);
        for (int i = 0; i < flips; ++i) {
            const char c = random() % 2 ? marks[random() % marks.size()] : static_cast<char>(random());
            bytes[random() % bytes.size()] = c;
        }
        if (round % 3 == 0) bytes.resize(random() % bytes.size());
        expectBothWaysAlike(bytes);
    }
}

}  // namespace
}  // namespace store
