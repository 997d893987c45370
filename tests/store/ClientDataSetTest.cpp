// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/AgeText.h"
#include "store/ClientDataSet.h"
#include "store/DataFile.h"
#include "store/DataPacket.h"
#include "store/TextOrder.h"
#include "tests/support/EventRows.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <random>
#include <tuple>

namespace store {
namespace {

class ClientDataSetTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = dataFilePath(dir.path());
        prepareDataFile(files, path);
        data.setFileName(path);
    }

    void add(const Entry& e) {
        data.insert();
        data.setFieldText("Tyyp", e.type);
        data.setFieldText("Nimi", e.name);
        data.setFieldInteger("Paev", e.day);
        data.setFieldInteger("Kuu", e.month);
        data.setFieldText("Aasta", e.year ? std::to_string(*e.year) : "");
        data.setFieldDate("Kuup", Date{e.year.value_or(2026), e.month, e.day});
        data.post();
    }

    void fill() {
        data.open();
        add({5, 3, 1980, "Mari"});
        add({24, 12, std::nullopt, "Jõulud", "T"});
        add({5, 3, 1975, "Jüri"});
        add({1, 1, 2000, "Anneli", "N"});
        add({5, 3, std::nullopt, "Ants", "M"});
    }

    // The names of the view, in view order.
    std::string names() const {
        std::string out;
        for (int i = 0; i < data.recordCount(); ++i) out += (i ? "," : "") + data.viewRow(i).nimi;
        return out;
    }

    void resort(const char* fields, bool descending) {
        data.close();
        data.indexDef().fields = fields;
        data.indexDef().descending = descending;
        data.open();
    }

    TempDir dir;
    FaultyFileSystem files;
    std::string path;
    ClientDataSet data{files};
};

TEST_F(ClientDataSetTest, TheEmptyFileOpensWithoutRows) {
    data.open();
    EXPECT_TRUE(data.active());
    EXPECT_EQ(data.recordCount(), 0);
    EXPECT_EQ(data.recNo(), 0);
    EXPECT_FALSE(data.changed());
    data.close();
    EXPECT_EQ(readFile(path), std::string(kEmptyPacket) + "\r\n");
}

TEST_F(ClientDataSetTest, PostedRowsTakeTheirIndexPlaceAndBecomeCurrent) {
    fill();
    EXPECT_EQ(names(), "Anneli,Ants,Jüri,Mari,Jõulud");  // no year sorts before any year
    EXPECT_EQ(data.recNo(), 2);
    EXPECT_EQ(data.fieldText(Nimi), "Ants");
    EXPECT_TRUE(data.changed());
}

TEST_F(ClientDataSetTest, ReadsFieldsAsTextAndInteger) {
    fill();
    data.setRecNo(4);
    EXPECT_EQ(data.fieldText(Paev), "5");
    EXPECT_EQ(data.fieldText(Kuu), "3");
    EXPECT_EQ(data.fieldText(Aasta), "1980");
    EXPECT_EQ(data.fieldText(Kuup), "05.03.1980");
    EXPECT_EQ(data.fieldInteger(Aasta), 1980);
    data.setRecNo(2);
    EXPECT_EQ(data.fieldText(Aasta), "");
    EXPECT_EQ(data.fieldInteger(Aasta), 0);
    EXPECT_TRUE(data.fieldIsNull(Aasta));
    EXPECT_THROW(data.fieldInteger(Nimi), ConversionError);
}

TEST_F(ClientDataSetTest, CalculatesVanusOnlyWhileTheTagAllowsIt) {
    data.onCalcFields = [](const EventRow& row) { return ageOfRow(row, Date{2026, 6, 15}); };
    fill();
    data.setRecNo(4);
    EXPECT_EQ(data.fieldText(Vanus), "");
    data.Tag = 1;
    EXPECT_EQ(data.fieldText(Vanus), "46");
    data.setRecNo(2);
    EXPECT_EQ(data.fieldText(Vanus), "?");
}

TEST_F(ClientDataSetTest, APauseOfTheAgeCalculationEndsAlsoOnAnError) {
    fill();
    EXPECT_THROW(
        {
            ClientDataSet::CalcPause pause(data);
            EXPECT_EQ(data.Tag, 0);
            data.setFilter("Kuu=");
        },
        StoreError);
    EXPECT_EQ(data.Tag, 1);
}

TEST_F(ClientDataSetTest, ResortsByTheIndexDefinitionAtOpen) {
    fill();
    resort("Aasta;Kuu;Paev;Nimi", true);
    EXPECT_EQ(names(), "Anneli,Mari,Jüri,Jõulud,Ants");
    resort("Aasta;Kuu;Paev;Nimi", false);
    EXPECT_EQ(names(), "Ants,Jõulud,Jüri,Mari,Anneli");
    resort("Tyyp;Aasta;Kuu;Paev;Nimi", true);
    EXPECT_EQ(names(), "Jõulud,Mari,Jüri,Anneli,Ants");
    data.setIndexName("");
    EXPECT_EQ(names(), "Mari,Jõulud,Jüri,Anneli,Ants");
    data.setIndexName("Kuup1");
    EXPECT_EQ(names(), "Jõulud,Mari,Jüri,Anneli,Ants");
    EXPECT_THROW(data.setIndexName("Other"), StoreError);
    data.close();
    data.indexDef().fields = "Kuu;Nope";
    EXPECT_THROW(data.open(), StoreError);
    EXPECT_FALSE(data.active());
}

TEST_F(ClientDataSetTest, SortsNamesByThePluggedInOrder) {
    // Reverse byte order stands in for a language's alphabet.
    struct Reversed : TextOrder {
        std::string sortKey(std::string_view text) const override {
            std::string key;
            for (unsigned char c : text) key += static_cast<char>(255 - c);
            return key + '\xff';
        }
    } reversed;
    ClientDataSet sorted(files, &reversed);
    sorted.setFileName(path);
    fill();
    data.close();
    sorted.indexDef().fields = "Nimi";
    sorted.open();
    std::string out;
    for (int i = 0; i < sorted.recordCount(); ++i) out += sorted.viewRow(i).nimi + ",";
    EXPECT_EQ(out, "Mari,Jüri,Jõulud,Ants,Anneli,");
}

// The index order against a plain stable sort by the same fields, over random
// rows full of ties, nulls, negative years and names sharing long beginnings.
TEST_F(ClientDataSetTest, IndexOrderEqualsAStableSortByTheFieldList) {
    std::mt19937 random(7);
    const auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const std::vector<std::string> names = {"",
                                            "A",
                                            "Ants",
                                            "Antsu",
                                            "Õie",
                                            "Šarlota",
                                            "Ülle",
                                            "Jaan-Kristjan Kõrvemaa-Mägi",
                                            "Jaan-Kristjan Kõrvemaa-Mäe"};
    std::vector<EventRow> rows(600);
    for (EventRow& row : rows) {
        if (pick(8)) row.paev = static_cast<std::int16_t>(1 + pick(3));
        if (pick(8)) row.kuu = static_cast<std::int16_t>(pick(3) - 1);
        if (pick(4)) row.aasta = pick(2) ? 1990 + pick(3) : -pick(2);
        row.nimi = names[static_cast<size_t>(pick(static_cast<int>(names.size())))];
        row.tyyp = std::string(pick(5) ? 1 : 0, "STNM"[pick(4)]);
        if (pick(3)) row.kuup = Date{2000 + pick(2), 1, 1 + pick(2)};
    }
    writeFile(path, writeDataPacket(rows));

    const std::vector<std::vector<int>> lists = {{Paev, Kuu, Aasta, Nimi},
                                                 {Kuu, Paev},
                                                 {Aasta, Kuu, Paev, Nimi},
                                                 {Nimi},
                                                 {Nimi, Aasta},
                                                 {Tyyp, Aasta, Kuu, Paev, Nimi},
                                                 {Kuup, Nimi},
                                                 {Aasta, Kuu, Paev, Aasta, Kuu, Paev, Tyyp}};
    for (const std::vector<int>& fields : lists) {
        for (const bool descending : {false, true}) {
            const auto less = [&](const EventRow& x, const EventRow& y) {
                const auto order = [](const auto& a, const auto& b) { return a < b ? -1 : (b < a ? 1 : 0); };
                for (const int field : fields) {
                    int c = 0;
                    switch (field) {
                        case Paev: c = order(x.paev, y.paev); break;  // null before any value
                        case Kuu: c = order(x.kuu, y.kuu); break;
                        case Aasta: c = order(x.aasta, y.aasta); break;
                        case Nimi: c = order(x.nimi, y.nimi); break;
                        case Tyyp: c = order(x.tyyp, y.tyyp); break;
                        case Kuup: c = order(x.kuup, y.kuup); break;
                    }
                    if (c != 0) return descending ? c > 0 : c < 0;
                }
                return false;
            };
            std::vector<EventRow> expected = rows;
            std::stable_sort(expected.begin(), expected.end(), less);

            std::string list;
            for (const int field : fields) list += (list.empty() ? "" : ";") + std::string(kFieldNames[field]);
            resort(list.c_str(), descending);
            ASSERT_EQ(data.recordCount(), static_cast<int>(rows.size()));
            for (int i = 0; i < data.recordCount(); ++i)
                ASSERT_EQ(data.viewRow(i), expected[static_cast<size_t>(i)])
                    << list << (descending ? " desc" : "") << " at " << i;
        }
    }
}

// A long view orders its first rows at open and the rest when first needed:
// whichever reading or change comes first sees the whole view in order.
TEST_F(ClientDataSetTest, ALongViewIsInOrderWhateverReachesItsRestFirst) {
    std::mt19937 random(3);
    const auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    std::vector<EventRow> rows;
    for (int i = 0; i < 2000; ++i)
        rows.push_back(eventRow("N" + std::to_string(pick(500)), 1 + pick(28), 1 + pick(12),
                                pick(5) ? std::optional(1940 + pick(80)) : std::nullopt));
    writeFile(path, writeDataPacket(rows));
    std::function<bool(const EventRow&)> shown = [](const EventRow& row) { return row.kuu >= 7; };
    data.onFilterRecord = [&shown](const EventRow& row) { return shown(row); };
    const auto inOrder = [&] {
        std::vector<EventRow> expected;
        for (const EventRow& row : data.allRows())
            if (!data.filtered() || shown(row)) expected.push_back(row);
        std::stable_sort(expected.begin(), expected.end(), [](const EventRow& x, const EventRow& y) {
            return std::tie(x.kuu, x.paev, x.aasta, x.nimi) < std::tie(y.kuu, y.paev, y.aasta, y.nimi);
        });
        std::string out;
        for (const EventRow& row : expected) out += (out.empty() ? "" : ",") + row.nimi;
        return out;
    };
    const std::vector<std::pair<const char*, std::function<void()>>> firsts = {
        {"the last row",
         [&] {
             data.last();
             EXPECT_EQ(data.current().nimi, inOrder().substr(inOrder().rfind(',') + 1));
         }},
        {"an edit",
         [this] {
             data.setRecNo(5);
             data.edit();
             data.setFieldInteger("Kuu", 12);
             data.post();
         }},
        {"a deletion", [this] { data.deleteRecord(); }},
        {"a filter", [this] { data.setFiltered(true); }},
        // A view short enough to be ordered at once, changed and shown again.
        {"an edit in a short view",
         [&] {
             shown = [](const EventRow& row) { return row.kuu == 3; };
             data.setFiltered(true);
             data.edit();
             data.setFieldText("Nimi", "Õ");
             data.post();
             data.setIndexName("");
             data.setIndexName("Kuup1");
         }},
    };
    for (const auto& [what, first] : firsts) {
        data.close();
        data.setFiltered(false);
        data.open();
        ASSERT_EQ(data.recordCount(), static_cast<int>(data.allRows().size())) << what;
        first();
        EXPECT_EQ(names(), inOrder()) << what;
    }
}

TEST_F(ClientDataSetTest, FiltersByTextAndByTheRecordTest) {
    fill();
    data.setFilter("Kuu=3");
    EXPECT_EQ(data.recordCount(), 5);  // filtering still off
    data.setFiltered(true);
    EXPECT_EQ(names(), "Ants,Jüri,Mari");
    data.onFilterRecord = [](const EventRow& row) { return row.aasta.has_value(); };
    data.setFilter("Kuu=3");
    EXPECT_EQ(names(), "Jüri,Mari");
    EXPECT_THROW(data.setFilter("Kuu="), StoreError);
    EXPECT_EQ(data.filter(), "Kuu=3");
    data.setFilter("");
    EXPECT_EQ(names(), "Anneli,Jüri,Mari");
    EXPECT_EQ(data.allRows().size(), 5u);
}

TEST_F(ClientDataSetTest, FilterAndTagSurviveAResort) {
    fill();
    data.setFilter("Kuu=3");
    data.setFiltered(true);
    data.Tag = 1;
    resort("Nimi;Kuu;Paev;Aasta", true);
    EXPECT_EQ(names(), "Mari,Jüri,Ants");
    EXPECT_TRUE(data.filtered());
    EXPECT_EQ(data.Tag, 1);
    EXPECT_EQ(data.recNo(), 1);
    // Every row was written, not only the ones in view.
    EXPECT_EQ(readDataPacket(readFile(path)).size(), 5u);
}

TEST_F(ClientDataSetTest, EditMovesTheRowAndKeepsItCurrent) {
    fill();
    data.setRecNo(1);  // Anneli, 1 January
    data.edit();
    data.setFieldInteger("Kuu", 12);
    data.setFieldInteger("Paev", 31);
    EXPECT_EQ(data.viewRow(0).nimi, "Anneli");  // nothing changes before the post
    data.post();
    EXPECT_EQ(names(), "Ants,Jüri,Mari,Jõulud,Anneli");
    EXPECT_EQ(data.recNo(), 5);
    EXPECT_EQ(data.fieldText(Kuu), "12");
}

TEST_F(ClientDataSetTest, CancelDropsThePendingChange) {
    fill();
    data.setRecNo(3);
    data.edit();
    data.setFieldText("Nimi", "Muudetud");
    EXPECT_EQ(data.fieldText(Nimi), "Muudetud");
    data.cancel();
    EXPECT_EQ(data.fieldText(Nimi), "Jüri");
    data.insert();
    data.cancel();
    EXPECT_EQ(data.recordCount(), 5);
}

TEST_F(ClientDataSetTest, SettersFollowTheFieldRules) {
    data.open();
    data.insert();
    data.setFieldText("Aasta", "0980");
    EXPECT_EQ(data.fieldText(Aasta), "980");
    data.setFieldText("Aasta", "");
    EXPECT_TRUE(data.fieldIsNull(Aasta));
    EXPECT_THROW(data.setFieldText("Aasta", "19a0"), ConversionError);
    EXPECT_THROW(data.setFieldInteger("Paev", 70000), StoreError);
    EXPECT_THROW(data.setFieldText("Puudub", "x"), StoreError);
    data.setFieldText("Nimi", std::string(60, 'a') + std::string(50, 'o') + "õ");
    EXPECT_EQ(data.fieldText(Nimi).size(), 99u);
    data.setFieldText("Nimi", std::string(120, 'a'));
    EXPECT_EQ(data.fieldText(Nimi).size(), 99u);
    data.cancel();
    EXPECT_THROW(data.setFieldText("Nimi", "x"), StoreError);  // not editing
}

TEST_F(ClientDataSetTest, DeleteRemovesTheCurrentRow) {
    fill();
    data.setRecNo(5);
    data.deleteRecord();
    EXPECT_EQ(names(), "Anneli,Ants,Jüri,Mari");
    EXPECT_EQ(data.recNo(), 4);
    data.setRecNo(2);
    data.deleteRecord();
    EXPECT_EQ(names(), "Anneli,Jüri,Mari");
    EXPECT_EQ(data.fieldText(Nimi), "Jüri");
    data.close();
    data.open();
    EXPECT_EQ(names(), "Anneli,Jüri,Mari");
}

TEST_F(ClientDataSetTest, CursorStaysInsideTheView) {
    fill();
    data.setRecNo(99);
    EXPECT_EQ(data.recNo(), 5);
    data.setRecNo(-3);
    EXPECT_EQ(data.recNo(), 1);
    int moves = 0;
    data.onCurrentChanged = [&] { ++moves; };
    data.first();
    data.next();
    data.next();
    data.last();
    data.next();
    EXPECT_EQ(moves, 3);
}

TEST_F(ClientDataSetTest, CloseWritesOnlyWhenSomethingChanged) {
    fill();
    data.close();
    const std::string written = readFile(path);
    EXPECT_EQ(files.replaceCalls, 1);
    data.open();
    data.setRecNo(3);
    data.edit();
    data.cancel();
    data.close();
    EXPECT_EQ(files.replaceCalls, 1);
    EXPECT_EQ(readFile(path), written);
}

// A re-sort reopens the list from the rows in memory, which stand for the
// file only while it is the one they were read from or written to.
TEST_F(ClientDataSetTest, ReopeningReadsTheFileOnlyWhenItChanged) {
    fill();
    resort("Nimi", false);
    EXPECT_EQ(files.readCalls, 1);
    EXPECT_EQ(names(), "Anneli,Ants,Jõulud,Jüri,Mari");

    // Another program puts a file of the same size in the list's place.
    std::string other = readFile(path);
    other.replace(other.find("Mari"), 4, "Maie");
    writeFile(path + ".new", other);
    std::filesystem::rename(path + ".new", path);
    resort("Nimi", false);
    EXPECT_EQ(files.readCalls, 2);
    EXPECT_EQ(names(), "Anneli,Ants,Jõulud,Jüri,Maie");

    // Or writes into the file itself.
    writeFile(path, writeDataPacket({eventRow("Uus", 1, 2, 2000)}));
    resort("Nimi", false);
    EXPECT_EQ(names(), "Uus");
}

TEST_F(ClientDataSetTest, RowsReadAheadAreTakenWhileTheFileIsUnchanged) {
    writeFile(path, writeDataPacket({eventRow("Mari", 5, 3, 1980), eventRow("Jüri", 1, 1, 1975)}));
    std::optional<ClientDataSet::ReadRows> read = ClientDataSet::readAhead(files, path, data.indexDef(), nullptr);
    ASSERT_TRUE(read);
    data.offer(std::move(*read));
    data.open();
    EXPECT_EQ(files.readCalls, 1);
    EXPECT_EQ(names(), "Jüri,Mari");
    data.close();

    read = ClientDataSet::readAhead(files, path, data.indexDef(), nullptr);
    writeFile(path, writeDataPacket({eventRow("Mari", 5, 3, 1980), eventRow("Ants", 9, 9, 1999)}));
    data.offer(std::move(*read));
    data.open();
    EXPECT_EQ(names(), "Mari,Ants");
    data.close();

    // Rows ordered under another index are put in this one's order.
    IndexDef reversed = data.indexDef();
    reversed.descending = true;
    read = ClientDataSet::readAhead(files, path, reversed, nullptr);
    data.offer(std::move(*read));
    data.open();
    EXPECT_EQ(names(), "Mari,Ants");
}

TEST_F(ClientDataSetTest, AFailedWriteKeepsTheStoreOpenWithItsChanges) {
    fill();
    files.replaceFailures = 1;
    EXPECT_THROW(data.close(), WriteError);
    EXPECT_TRUE(data.active());
    EXPECT_TRUE(data.changed());
    EXPECT_EQ(data.recordCount(), 5);
    EXPECT_EQ(readFile(path), std::string(kEmptyPacket) + "\r\n");
    data.close();
    EXPECT_EQ(readDataPacket(readFile(path)).size(), 5u);
}

TEST_F(ClientDataSetTest, ADamagedFileLeavesTheStoreClosedAndTheFileUntouched) {
    writeFile(path, "");
    try {
        data.open();
        ADD_FAILURE();
    } catch (const StoreError& error) {
        EXPECT_STREQ(error.what(), "ClientDataSet1: Missing data provider or data packet");
    }
    EXPECT_FALSE(data.active());
    data.close();
    EXPECT_EQ(readFile(path), "");
}

}  // namespace
}  // namespace store
