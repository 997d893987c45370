// SPDX-License-Identifier: GPL-3.0-or-later
// The column filters: slots and filter text from menu choices, the age test,
// and the year, name and age menus built from the records.
#include "app/Collation.h"
#include "store/AgeText.h"
#include "tests/app/FormFixture.h"

#include <QActionGroup>
#include <QListView>

#include <algorithm>
#include <random>

namespace {

class Filters : public FormFixture {
protected:
    void startWithNames() {
        start({{5, 3, 1980, "Mari"},
               {5, 3, 2001, "O'Brien"},
               {1, 3, 980, "Ann"},
               {9, 5, 1980, "Anneli", "N"},
               {24, 12, std::nullopt, "Jõulud", "T"},
               {12, 3, std::nullopt, "anna", "M"},
               {13, 3, std::nullopt, "Anna"},
               {14, 3, std::nullopt, "anna"},
               {2, 2, 1926, "Ann*"},
               {2, 2, 1926, "Jüri & Co <%>"}});
    }
    const std::string& slot(int number) const { return form->FilterValues[static_cast<size_t>(number - 1)]; }
    bool underlined(int column) const {
        return form->DataSource1->headerData(column, Qt::Horizontal, Qt::FontRole).value<QFont>().underline();
    }
    std::string filterText() const { return form->ClientDataSet1.filter(); }
};

TEST_F(Filters, MenuChoicesFillTheSlotsAndTheFilterText) {
    startWithNames();
    chooseValue(app::ColKuu, "Märts");
    EXPECT_EQ(slot(2), "3");
    EXPECT_EQ(filterText(), "Kuu=3");
    EXPECT_EQ(gridNames(), "Ann,Mari,O'Brien,anna,Anna,anna");
    chooseValue(app::ColPaev, "05");
    EXPECT_EQ(slot(1), "05");
    EXPECT_EQ(filterText(), "Paev=05 AND Kuu=3");
    EXPECT_EQ(gridNames(), "Mari,O'Brien");
    chooseValue(app::ColNimi, "O'Brien");
    EXPECT_EQ(filterText(), "Paev=05 AND Kuu=3 AND Nimi='O''Brien'");
    EXPECT_EQ(gridNames(), "O'Brien");
    EXPECT_TRUE(underlined(app::ColPaev) && underlined(app::ColKuu) && underlined(app::ColNimi));
    EXPECT_FALSE(underlined(app::ColAasta) || underlined(app::ColVanus) || underlined(app::ColTyyp));

    choose(app::ColKuu, 0);  // "Kõik" clears its own column only
    EXPECT_EQ(slot(2), "");
    EXPECT_EQ(filterText(), "Paev=05 AND Nimi='O''Brien'");
    EXPECT_FALSE(underlined(app::ColKuu));
    EXPECT_TRUE(underlined(app::ColPaev));
    EXPECT_TRUE(form->ClientDataSet1.filtered());
}

TEST_F(Filters, TheTypeMenuFiltersEveryType) {
    startWithNames();
    const QStringList types = form->Frame11->MenuTyyp->values();
    EXPECT_EQ(types, (QStringList{"Sünnipäevad", "Tähtpäevad", "Nimepäevad", "Muud"}));
    chooseValue(app::ColTyyp, "Nimepäevad");
    EXPECT_EQ(filterText(), "Tyyp='N'");
    EXPECT_EQ(gridNames(), "Anneli");
    chooseValue(app::ColTyyp, "Tähtpäevad");
    EXPECT_EQ(slot(6), "Tähtpäevad");
    EXPECT_EQ(gridNames(), "Jõulud");
    chooseValue(app::ColTyyp, "Muud");
    EXPECT_EQ(gridNames(), "anna");
}

TEST_F(Filters, AgeIsTestedPerRecordOutsideTheText) {
    startWithNames();
    chooseValue(app::ColVanus, "46");
    EXPECT_EQ(slot(5), "46");
    EXPECT_EQ(filterText(), "");
    EXPECT_EQ(gridNames(), "Mari,Anneli");
    EXPECT_TRUE(underlined(app::ColVanus));
    chooseValue(app::ColVanus, "?");
    EXPECT_EQ(gridNames(), "anna,Anna,anna,Jõulud");
}

TEST_F(Filters, NamesWithSpecialCharactersFilterExactlyOrByPrefix) {
    startWithNames();
    chooseValue(app::ColNimi, "Jüri & Co <%>");
    EXPECT_EQ(gridNames(), "Jüri & Co <%>");
    EXPECT_EQ(
        form->Frame11->MenuNimi->item(2 + static_cast<int>(form->Frame11->MenuNimi->values().indexOf("Jüri & Co <%>")))
            ->text(),
        "Jüri && Co <%>");
    chooseValue(app::ColNimi, "Ann*");  // a name ending in "*" matches as a prefix
    EXPECT_EQ(gridNames(), "Ann*,Ann,Anna,Anneli");
    chooseValue(app::ColNimi, "anna");
    EXPECT_EQ(gridNames(), "anna,anna");
}

TEST_F(Filters, BuiltMenusHoldDistinctValuesYearsAndAgesByNumber) {
    startWithNames();
    EXPECT_EQ(form->Frame11->MenuAasta->values(), (QStringList{"980", "1926", "1980", "2001"}));
    EXPECT_EQ(form->Frame11->MenuVanus->values(), (QStringList{"?", "25", "46", "100", "1046"}));
    const QStringList names = form->Frame11->MenuNimi->values();
    EXPECT_EQ(names.count("anna"), 1);                                          // exact twins once
    EXPECT_EQ(names.count("Anna"), 1);                                          // a case variant on its own
    EXPECT_EQ(names.indexOf("Jüri & Co <%>") > names.indexOf("Jõulud"), true);  // õ after w, before ü
    EXPECT_EQ(names.size(), 9);
    app::FilterMenu* years = form->Frame11->MenuAasta;
    EXPECT_EQ(years->item(0)->text(), "Kõik");
    EXPECT_TRUE(years->item(0)->isChecked());
    EXPECT_EQ(years->defaultAction(), years->item(0));
    EXPECT_TRUE(years->item(1)->isSeparator());
    EXPECT_EQ(years->item(2)->data().toInt(), 3);
    // Radio items: "Kõik" and every value in one exclusive group.
    ASSERT_NE(years->item(0)->actionGroup(), nullptr);
    EXPECT_TRUE(years->item(0)->actionGroup()->isExclusive());
    for (int position = 2; position < 2 + years->values().size(); ++position)
        EXPECT_EQ(years->item(position)->actionGroup(), years->item(0)->actionGroup()) << position;
}

TEST_F(Filters, MenusOfAListWithoutValuesStayEmpty) {
    start({{1, 1, std::nullopt, "Ilma aastata"}});
    form->Frame11->MenuAasta->ensureBuilt();
    EXPECT_TRUE(form->Frame11->MenuAasta->isEmpty());
    EXPECT_FALSE(form->Frame11->MenuNimi->values().isEmpty());
}

TEST_F(Filters, ARebuildKeepsTheFilterWithKoikChecked) {
    startWithNames();
    chooseValue(app::ColAasta, "1980");
    EXPECT_EQ(gridNames(), "Mari,Anneli");
    form->ClientDataSet1.setRecNo(2);
    form->Uuenda();
    EXPECT_TRUE(form->Frame11->MenuAasta->item(0)->isChecked());
    EXPECT_EQ(slot(3), "1980");
    EXPECT_TRUE(underlined(app::ColAasta));
    EXPECT_EQ(gridNames(), "Mari,Anneli");
    EXPECT_EQ(form->ClientDataSet1.recNo(), 2);

    chooseValue(app::ColAasta, "1980");  // the checked value again: the same text
    EXPECT_EQ(filterText(), "Aasta=1980");
    app::FilterMenu* years = form->Frame11->MenuAasta;
    EXPECT_TRUE(years->item(2 + static_cast<int>(years->values().indexOf("1980")))->isChecked());
}

TEST_F(Filters, AFilterSurvivesAResort) {
    startWithNames();
    chooseValue(app::ColKuu, "Märts");
    form->Frame11DBGrid1TitleClick(app::ColNimi);
    EXPECT_EQ(gridNames(), "O'Brien,Mari,Anna,anna,anna,Ann");  // capitals after small letters when equal
    EXPECT_EQ(filterText(), "Kuu=3");
}

TEST_F(Filters, ALongListScrollsInsideTheMenuAndStillChooses) {
    std::vector<Entry> entries;
    for (int i = 0; i < app::FilterMenu::kLongList + 100; ++i)
        entries.push_back({1 + i % 28, 1 + i % 12, 1950, "Nimi " + std::to_string(i)});
    start(entries);
    app::FilterMenu* names = form->Frame11->MenuNimi;
    names->ensureBuilt();
    ASSERT_EQ(names->actions().size(), 3);  // "Kõik", the separator, the scrolling list
    auto* list = names->findChild<QListView*>();
    ASSERT_NE(list, nullptr);
    const QModelIndex row = list->model()->index(static_cast<int>(names->values().indexOf("Nimi 123")), 0);
    emit list->clicked(row);
    EXPECT_EQ(slot(4), "Nimi 123");
    EXPECT_EQ(gridNames(), "Nimi 123");
    EXPECT_EQ(list->currentIndex(), row);
    EXPECT_EQ(names->checkedPosition(), row.row() + 2);
    choose(app::ColNimi, 0);
    EXPECT_EQ(form->ClientDataSet1.recordCount(), static_cast<int>(entries.size()));
    EXPECT_FALSE(list->selectionModel()->hasSelection());
}

TEST_F(Filters, TheEmptyNameShowsTheRecordsWithoutAName) {
    start({{1, 1, 2000, ""}, {2, 1, 2000, "null"}, {3, 1, 2000, "Mari"}, {4, 1, 2000, ""}});
    chooseValue(app::ColNimi, "");
    EXPECT_EQ(slot(4), "null");  // as the report shows it
    EXPECT_EQ(filterText(), "Nimi=''");
    EXPECT_EQ(gridColumn(app::ColPaev), "01,04");
    chooseValue(app::ColNimi, "null");
    EXPECT_EQ(filterText(), "Nimi='null'");
    EXPECT_EQ(gridColumn(app::ColPaev), "02");
}

}  // namespace

namespace {

// The built menus of a long list, made after the list is shown, against the
// plain way: every value in the file's order, exact repeats dropped, then a
// stable sort by the menu order's whole keys (names) or by number (years and
// ages, "?" first).
QStringList sortedDistinctByKeys(const std::vector<std::string>& values) {
    std::vector<std::pair<std::string, QString>> keyed;
    QStringList seen;
    for (const std::string& value : values) {
        const QString text = QString::fromStdString(value);
        if (seen.contains(text)) continue;
        seen.push_back(text);
        keyed.emplace_back(app::menuOrder().sortKey(text), text);
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    QStringList sorted;
    for (const auto& entry : keyed) sorted.push_back(entry.second);
    return sorted;
}

QStringList sortedDistinctByNumber(const std::vector<std::string>& values) {
    QStringList sorted;
    for (const std::string& value : values)
        if (!sorted.contains(QString::fromStdString(value))) sorted.push_back(QString::fromStdString(value));
    std::stable_sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) {
        bool aIsNumber = false, bIsNumber = false;
        const long long x = a.toLongLong(&aIsNumber), y = b.toLongLong(&bIsNumber);
        return aIsNumber != bIsNumber ? bIsNumber : aIsNumber && x < y;
    });
    return sorted;
}

TEST_F(Filters, MenusOfALongListHoldEveryDistinctValueInTextOrder) {
    const std::vector<std::string> given = {"Mari", "mari", "MARI",    "Märt",  "Mart", "Õie",
                                            "õie",  "Ülle", "Šarlota", "Žanna", ""};
    const std::vector<std::string> family = {"Tamm",  "tamm", "Tammemägi", "Kõiv",  "Šmidt",
                                             "Ööbik", "Äär",  "",          "Žukova"};
    std::mt19937 random(11);
    const auto pick = [&random](size_t n) { return static_cast<size_t>(random() % n); };
    std::vector<Entry> entries;
    std::vector<std::string> years, names, ages;
    for (int i = 0; i < 1500; ++i) {
        Entry entry{1 + static_cast<int>(pick(28)), 1 + static_cast<int>(pick(12)), std::nullopt,
                    given[pick(given.size())] + (pick(2) ? " " : "") + family[pick(family.size())]};
        if (pick(5)) entry.year = pick(3) ? 1900 + static_cast<int>(pick(127)) : 2026 + static_cast<int>(pick(3));
        entries.push_back(entry);
        if (entry.year) years.push_back(std::to_string(*entry.year));
        names.push_back(entry.name);
        ages.push_back(store::AgeText(entry.year ? std::to_string(*entry.year) : "", entry.month, entry.day, clock));
    }
    start(entries);
    EXPECT_EQ(form->Frame11->MenuAasta->values(), sortedDistinctByNumber(years));
    EXPECT_EQ(form->Frame11->MenuNimi->values(), sortedDistinctByKeys(names));
    EXPECT_EQ(form->Frame11->MenuVanus->values(), sortedDistinctByNumber(ages));
}

}  // namespace
