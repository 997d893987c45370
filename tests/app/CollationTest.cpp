// SPDX-License-Identifier: GPL-3.0-or-later
// The list's index with the Estonian collator plugged in: packing names into
// a few bits per letter and comparing whole names only where the packed
// fields tie gives exactly the order of a stable sort by whole sort keys.
#include "app/Collation.h"
#include "store/ClientDataSet.h"
#include "store/DataPacket.h"
#include "store/FileSystem.h"
#include "store/IndexOrder.h"
#include "tests/support/EventRows.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

using store::EventRow;

// Names sharing long beginnings, differing in case only, in õ ä ö ü š ž,
// and repeated exactly; with `joining`, also letters the collator reads
// together with the one before ("a" and a combining diaeresis is "ä"),
// letters that expand (ß, æ), and accents and characters it passes over.
std::vector<EventRow> randomRows(int count, bool joining = false) {
    const std::vector<std::string> given = {"Mari", "mari", "MARI",    "Mari-Liis", "Märt",  "Mart",  "Õie",  "õie",
                                            "Ülle", "Ulle", "Šarlota", "Sarlota",   "Žanna", "Zanna", "Tõnu", "Tonu"};
    std::vector<std::string> family = {"Tamm",
                                       "tamm",
                                       "Tammemägi-Kõivupuu-Saar",
                                       "Tammemägi-Kõivupuu-Saare",
                                       "Kõiv",
                                       "Koiv",
                                       "Kõivupuu",
                                       "Šmidt",
                                       "Smidt",
                                       "Ööbik",
                                       "Oobik",
                                       "Äär",
                                       "Aar",
                                       "Üleoja",
                                       "",
                                       "Žukova"};
    if (joining)
        family.insert(family.end(),
                      {"Ma\u0308e", "Mae", "Mäe", "Mõis", "Mets", "Straße", "Strasse", "Strase", "Ærø", "René", "Rene",
                       "Ta\u00admm", "L\u00b7l", "Ll", "Lo", "Pärn\u0301", "Yusuf\u200d"});
    std::mt19937 random(15);
    const auto pick = [&random](size_t n) { return static_cast<size_t>(random() % n); };
    std::vector<EventRow> rows(static_cast<size_t>(count));
    for (EventRow& row : rows) {
        row.nimi = given[pick(given.size())] + " " + family[pick(family.size())];
        if (pick(10)) row.paev = static_cast<std::int16_t>(1 + pick(3));
        if (pick(10)) row.kuu = static_cast<std::int16_t>(1 + pick(2));
        if (pick(4)) row.aasta = 1990 + static_cast<int>(pick(3));
        row.tyyp = std::string(1, "STNM"[pick(4)]);
        row.kuup = store::Date{2000, 1, 1};
    }
    return rows;
}

// The rows' order by the field list with names compared by whole sort keys;
// ties keep the file's order.
std::vector<std::string> expectedOrder(const std::vector<EventRow>& rows, const store::IndexDef& index) {
    std::vector<std::string> fields;
    for (size_t start = 0; start <= index.fields.size();) {
        const size_t end = std::min(index.fields.find(';', start), index.fields.size());
        fields.push_back(index.fields.substr(start, end - start));
        start = end + 1;
    }
    std::vector<std::string> keys;
    for (const EventRow& row : rows) keys.push_back(app::nameOrder().sortKey(row.nimi));
    std::vector<size_t> order(rows.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    const auto sign = [](auto a, auto b) { return a < b ? -1 : (b < a ? 1 : 0); };
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const EventRow& x = rows[a];
        const EventRow& y = rows[b];
        for (const std::string& field : fields) {
            int c = 0;
            if (field == "Kuu") c = sign(x.kuu, y.kuu);
            if (field == "Paev") c = sign(x.paev, y.paev);
            if (field == "Aasta") c = sign(x.aasta, y.aasta);
            if (field == "Tyyp") c = sign(x.tyyp, y.tyyp);
            if (field == "Nimi") c = sign(keys[a], keys[b]);
            if (c != 0) return index.descending ? c > 0 : c < 0;
        }
        return false;
    });
    std::vector<std::string> names;
    for (const size_t i : order)
        names.push_back(rows[i].nimi + "|" + std::to_string(rows[i].kuu.value_or(0)) + "." +
                        std::to_string(rows[i].paev.value_or(0)) + "." + std::to_string(rows[i].aasta.value_or(0)) +
                        rows[i].tyyp);
    return names;
}

std::vector<std::string> viewOrder(const store::ClientDataSet& data) {
    std::vector<std::string> names;
    for (int i = 0; i < data.recordCount(); ++i) {
        const EventRow& row = data.viewRow(i);
        names.push_back(row.nimi + "|" + std::to_string(row.kuu.value_or(0)) + "." +
                        std::to_string(row.paev.value_or(0)) + "." + std::to_string(row.aasta.value_or(0)) + row.tyyp);
    }
    return names;
}

class IndexOrder : public testing::TestWithParam<bool> {};
INSTANTIATE_TEST_SUITE_P(NameOrder, IndexOrder, testing::Values(false, true),
                         [](const auto& info) { return info.param ? "WithJoiningLetters" : "PlainLetters"; });

TEST_P(IndexOrder, EqualsAStableSortByWholeSortKeys) {
    TempDir dir;
    const std::string path = dir.file("Vozoraza.xml");
    const std::vector<EventRow> rows = randomRows(3000, GetParam());
    writeFile(path, store::writeDataPacket(rows));
    store::ClientDataSet data(store::PosixFileSystem::instance(), &app::nameOrder());
    data.setFileName(path);
    for (const char* fields :
         {"Kuu;Paev;Aasta;Nimi", "Nimi;Kuu;Paev;Aasta", "Tyyp;Aasta;Kuu;Paev;Nimi", "Aasta;Nimi"}) {
        for (const bool descending : {false, true}) {
            data.close();
            data.indexDef().fields = fields;
            data.indexDef().descending = descending;
            data.open();
            EXPECT_EQ(viewOrder(data), expectedOrder(rows, data.indexDef())) << fields << (descending ? " desc" : "");
        }
    }
}

// A long list is sorted in halves on two threads and merged.
TEST(NameOrder, ALongListSortsAsAShortOne) {
    TempDir dir;
    const std::string path = dir.file("Vozoraza.xml");
    const std::vector<EventRow> rows = randomRows(60000, true);
    writeFile(path, store::writeDataPacket(rows));
    store::ClientDataSet data(store::PosixFileSystem::instance(), &app::nameOrder());
    data.setFileName(path);
    data.indexDef().fields = "Nimi;Kuu;Paev;Aasta";
    data.indexDef().descending = true;
    data.open();
    EXPECT_TRUE(viewOrder(data) == expectedOrder(rows, data.indexDef()));  // without printing 60,000 names
}

// The first rows of a long view are found from a sample of its numbers and
// one pass: they are the whole order's first, whichever rows are in the
// view; a sample that misleads gives no answer rather than a wrong one.
TEST(NameOrder, TheFirstRowsOfALongViewAreTheWholeOrdersFirst) {
    std::vector<EventRow> rows = randomRows(20000, true);
    std::mt19937 random(4);
    for (size_t i = 0; i < rows.size(); ++i) {
        rows[i].paev = static_cast<std::int16_t>(1 + random() % 28);
        rows[i].kuu = static_cast<std::int16_t>(1 + random() % 12);
        if (rows[i].aasta) rows[i].aasta = 1940 + static_cast<int>(random() % 80);
    }
    const auto view = [&rows](auto shown) {
        std::vector<bool> members(rows.size());
        for (size_t i = 0; i < rows.size(); ++i) members[i] = shown(i);
        return members;
    };
    const std::vector<std::vector<bool>> views = {view([](size_t) { return true; }),
                                                  view([](size_t i) { return i % 3 == 1; }),
                                                  view([&rows](size_t i) { return *rows[i].kuu >= 7; })};
    for (const bool descending : {false, true}) {
        const store::IndexOrder order({store::Kuu, store::Paev, store::Aasta, store::Nimi}, descending,
                                      app::nameOrder());
        const std::vector<size_t> sorted = order.sorted(rows);
        for (const std::vector<bool>& members : views) {
            std::vector<size_t> expected;
            for (const size_t row : sorted)
                if (members[row] && expected.size() < 256) expected.push_back(row);
            EXPECT_EQ(order.front(rows, members, 256), expected) << (descending ? "desc" : "asc");
        }
    }
    // Every fourth row early in the year, the rest late: the sample sees
    // only the early ones and expects too many of them.
    for (size_t i = 0; i < rows.size(); ++i) rows[i].kuu = static_cast<std::int16_t>(i % 4 == 0 ? 1 : 12);
    const store::IndexOrder order({store::Kuu, store::Paev, store::Aasta, store::Nimi}, false, app::nameOrder());
    EXPECT_EQ(order.front(rows, std::vector<bool>(rows.size(), true), 2000), std::nullopt);
}

// "a" and a combining diaeresis read as "ä", which follows "õ".
TEST(NameOrder, ALetterJoinedWithTheMarkAfterItSortsAsTheJoinedLetter) {
    TempDir dir;
    const std::string path = dir.file("Vozoraza.xml");
    std::vector<EventRow> rows;
    for (const char* name : {"Ma\u0308e", "Mõis", "Mets"}) rows.push_back(eventRow(name, 1, 1, 1990));
    writeFile(path, store::writeDataPacket(rows));
    store::ClientDataSet data(store::PosixFileSystem::instance(), &app::nameOrder());
    data.setFileName(path);
    data.open();
    EXPECT_EQ(viewOrder(data), (std::vector<std::string>{"Mets|1.1.1990S", "Mõis|1.1.1990S", "Ma\u0308e|1.1.1990S"}));
}

// A posted row joins the kept order at its place; a deleted one leaves it;
// switching the index off and on shows the same order again.
TEST(NameOrder, PostAndDeleteKeepTheIndexOrder) {
    TempDir dir;
    const std::string path = dir.file("Vozoraza.xml");
    writeFile(path, store::writeDataPacket(randomRows(500)));
    store::ClientDataSet data(store::PosixFileSystem::instance(), &app::nameOrder());
    data.setFileName(path);
    data.open();
    data.setRecNo(100);
    data.deleteRecord();
    data.insert();
    data.setFieldText("Nimi", "mari Tammemäe");
    data.setFieldInteger("Paev", 2);
    data.setFieldInteger("Kuu", 1);
    data.setFieldInteger("Aasta", 1991);
    data.post();
    data.setRecNo(7);
    data.edit();
    data.setFieldText("Nimi", "Õie Žukova");
    data.post();
    data.setIndexName("");
    data.setIndexName("Kuup1");
    EXPECT_EQ(viewOrder(data), expectedOrder(data.allRows(), data.indexDef()));
}

}  // namespace
