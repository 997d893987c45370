// The list's index with the Estonian collator plugged in: comparing names
// only where the fields before them tie, by the first bytes of their keys and
// then whole, gives exactly the order of a stable sort by whole sort keys.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "app/NameOrder.h"
#include "store/ClientDataSet.h"
#include "store/DataPacket.h"
#include "store/FileSystem.h"
#include "tests/support/TempDir.h"

namespace {

using store::EventRow;

// Names sharing long beginnings, differing in case only, in õ ä ö ü š ž,
// and repeated exactly.
std::vector<EventRow> randomRows(int count) {
    const std::vector<std::string> given = {"Mari", "mari", "MARI",    "Mari-Liis", "Märt",  "Mart",  "Õie",  "õie",
                                            "Ülle", "Ulle", "Šarlota", "Sarlota",   "Žanna", "Zanna", "Tõnu", "Tonu"};
    const std::vector<std::string> family = {"Tamm",     "tamm",   "Tammemägi", "Tammemäe", "Kõiv",  "Koiv",
                                             "Kõivupuu", "Šmidt",  "Smidt",     "Ööbik",    "Oobik", "Äär",
                                             "Aar",      "Üleoja", "",          "Žukova"};
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

TEST(NameOrder, IndexOrderEqualsAStableSortByWholeSortKeys) {
    TempDir dir;
    const std::string path = dir.file("Vozoraza.xml");
    const std::vector<EventRow> rows = randomRows(3000);
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
