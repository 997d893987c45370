// SPDX-License-Identifier: GPL-3.0-or-later
// The column filters: the menus built from the records, a choice narrowing
// the list, and the store's per-row age test and age calculation.
#include "app/Collation.h"
#include "app/DataSource.h"
#include "app/FilterMenu.h"
#include "app/Synna.h"
#include "app/Unit1.h"
#include "store/AgeText.h"
#include "store/TextEncoding.h"

#include <QAction>

#include <algorithm>
#include <charconv>
#include <optional>
#include <unordered_set>
#include <utility>

namespace app {

namespace {

// The distinct names of the rows in the menus' order: the language's alphabet
// without regard to letter case; names equal but for case keep the order
// they came in. Exact repeats are dropped among the names of equal key,
// keeping the first to come.
MenuValues sortedDistinctNames(const std::vector<store::EventRow>& rows) {
    store::SortKeys keys(menuOrder());
    std::vector<std::pair<std::string_view, std::uint32_t>> keyed;
    keyed.reserve(rows.size());
    for (size_t row = 0; row < rows.size(); ++row)
        keyed.emplace_back(keys.add(rows[row].nimi), static_cast<std::uint32_t>(row));
    std::sort(keyed.begin(), keyed.end());
    MenuValues sorted;
    for (size_t first = 0; first < keyed.size();) {
        size_t end = first + 1;
        while (end < keyed.size() && keyed[end].first == keyed[first].first) ++end;
        for (size_t i = first; i < end; ++i) {
            const std::string& name = rows[keyed[i].second].nimi;
            bool repeat = false;
            for (size_t j = first; j < i && !repeat; ++j) repeat = rows[keyed[j].second].nimi == name;
            if (!repeat) sorted.append(name);
        }
        first = end;
    }
    return sorted;
}

// What a row's age depends on.
struct AgeInputs {
    std::optional<std::int32_t> year;
    std::optional<std::int16_t> month, day;
    friend bool operator==(const AgeInputs&, const AgeInputs&) = default;
    struct Hash {
        size_t operator()(const AgeInputs& a) const {
            return std::hash<std::int64_t>()(a.year.value_or(-1) * 1000003LL + a.month.value_or(-1) * 1009LL +
                                             a.day.value_or(-1));
        }
    };
};

// The distinct texts by number: years and ages read as integers, smallest
// first; a text that is no number ("?") comes before all numbers.
MenuValues sortedDistinctNumbers(const std::vector<std::string>& texts) {
    std::unordered_set<std::string_view> seen;
    std::vector<std::pair<std::optional<long long>, std::string_view>> keyed;
    for (const std::string& text : texts) {
        if (!seen.insert(text).second) continue;
        long long number = 0;
        const char* end = text.data() + text.size();
        const auto [stop, error] = std::from_chars(text.data(), end, number);
        keyed.emplace_back(error == std::errc() && stop == end && !text.empty() ? std::optional(number) : std::nullopt,
                           text);
    }
    std::stable_sort(keyed.begin(), keyed.end());
    MenuValues sorted;
    for (const auto& entry : keyed) sorted.append(entry.second);
    return sorted;
}

std::string quoted(std::string_view text) {
    std::string out = "'";
    for (const char c : text) {
        out += c;
        if (c == '\'') out += c;
    }
    return out + "'";
}

}  // namespace

void TForm1::Uuenda() {
    DataSource::Freeze freeze(*DataSource1);
    const int remembered = ClientDataSet1.recNo();
    ClientDataSet1.setFiltered(false);
    ClientDataSet1.setIndexName("");

    // The values are every row's as the rows are now. Sorting a long list
    // takes a while, so they are read when first needed: a menu shown, the
    // grid painted and idle, or the rows about to change (makePendingMenus).
    // The collectors hand their values over to the menus.
    menuValuesPending_ = true;
    Frame11->MenuAasta->setValuesLater([this] {
        makeMenuValues();
        return std::exchange(ComboBox1, {});
    });
    Frame11->MenuNimi->setValuesLater([this] {
        makeMenuValues();
        return std::exchange(ComboBox2, {});
    });
    Frame11->MenuVanus->setValuesLater([this] {
        makeMenuValues();
        return std::exchange(ComboBox3, {});
    });

    ClientDataSet1.setIndexName(ClientDataSet1.indexDef().name);
    ClientDataSet1.setFiltered(true);
    ClientDataSet1.setRecNo(remembered);
}

// The distinct years, names and ages of all rows in the file's order, sorted.
// Years and ages have few distinct values: each is read once.
void TForm1::makeMenuValues() {
    if (!menuValuesPending_) return;
    menuValuesPending_ = false;
    const std::vector<store::EventRow>& rows = ClientDataSet1.allRows();
    std::vector<std::string> years, ages;
    std::unordered_set<std::int32_t> seenYears;
    std::unordered_set<AgeInputs, AgeInputs::Hash> seenDates;
    std::unordered_set<std::string> seenAges;
    for (const store::EventRow& row : rows) {
        if (row.aasta && seenYears.insert(*row.aasta).second) years.push_back(std::to_string(*row.aasta));
        if (!seenDates.insert({row.aasta, row.kuu, row.paev}).second) continue;
        if (std::string age = store::ageOfRow(row, clock_); seenAges.insert(age).second) ages.push_back(std::move(age));
    }
    ComboBox1 = sortedDistinctNumbers(years);
    ComboBox2 = sortedDistinctNames(rows);
    ComboBox3 = sortedDistinctNumbers(ages);
}

void TForm1::makePendingMenus() {
    if (closed_) return;  // nobody will open them again
    for (FilterMenu* menu : {Frame11->MenuAasta, Frame11->MenuNimi, Frame11->MenuVanus}) menu->makePendingValues();
}

void TForm1::Frame11Kik2Click(QAction* item) {
    // An item's Tag is its menu's slot number: the grid column + 1.
    const auto column = static_cast<GridColumn>(item->data().toInt() - 1);
    FilterMenu* menu = Frame11->columnMenus()[column];
    const int position = menu->positionOf(item);
    menu->check(item);

    std::string& slot = FilterValues[column];
    if (position == 0) {
        slot.clear();
    } else {
        slot = menu->valueOf(item).toStdString();
        if (slot.empty()) slot = "null";
        if (column == ColKuu) slot = std::to_string(position - 1);
    }
    // The slot reads "null" for the empty name too; the filter must tell the two apart.
    if (column == ColNimi) emptyNameChosen_ = position != 0 && menu->valueOf(item).isEmpty();

    std::vector<std::string> terms;
    const store::FilterSlots& s = FilterValues;
    if (!s[ColPaev].empty()) terms.push_back("Paev=" + s[ColPaev]);
    if (!s[ColKuu].empty()) terms.push_back("Kuu=" + s[ColKuu]);
    if (!s[ColAasta].empty()) terms.push_back("Aasta=" + s[ColAasta]);
    if (!s[ColNimi].empty()) terms.push_back("Nimi=" + quoted(emptyNameChosen_ ? std::string() : s[ColNimi]));
    if (!s[ColTyyp].empty()) terms.push_back("Tyyp=" + quoted(store::utf8Prefix(s[ColTyyp], 1)));
    std::string filter;
    for (const std::string& term : terms) filter += (filter.empty() ? "" : " AND ") + term;
    DataSource1->titlesChanged();

    DataSource::Freeze freeze(*DataSource1);
    {
        store::ClientDataSet::CalcPause pause(ClientDataSet1);
        ClientDataSet1.setFiltered(false);
        ClientDataSet1.setFilter(filter);
    }
    ClientDataSet1.setFiltered(true);
}

bool TForm1::ClientDataSet1FilterRecord(const store::EventRow& row) const {
    const std::string& age = FilterValues[ColVanus];
    if (age.empty()) return true;
    return store::ageOfRow(row, clock_) == age;
}

std::string TForm1::ClientDataSet1CalcFields(const store::EventRow& row) const { return store::ageOfRow(row, clock_); }

}  // namespace app
