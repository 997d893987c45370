// The column filters: the menus built from the records, a choice narrowing
// the list, and the store's per-row age test and age calculation.
#include <QAction>
#include <algorithm>
#include <charconv>
#include <optional>
#include <unordered_set>

#include "app/DataSource.h"
#include "app/FilterMenu.h"
#include "app/NameOrder.h"
#include "app/Synna.h"
#include "app/Unit1.h"
#include "store/AgeText.h"
#include "store/TextEncoding.h"

namespace app {

namespace {

// The distinct texts in the menus' order: the language's alphabet without
// regard to letter case; texts equal but for case keep the order they came in.
std::vector<QString> sortedDistinct(const std::vector<std::string>& texts) {
    std::unordered_set<std::string_view> seen;
    std::vector<std::pair<std::string, QString>> keyed;
    for (const std::string& text : texts) {
        if (!seen.insert(text).second) continue;
        QString value = QString::fromStdString(text);
        keyed.emplace_back(menuOrder().sortKey(value), std::move(value));
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<QString> sorted;
    sorted.reserve(keyed.size());
    for (auto& entry : keyed) sorted.push_back(std::move(entry.second));
    return sorted;
}

// The distinct texts by number: years and ages read as integers, smallest
// first; a text that is no number ("?") comes before all numbers.
std::vector<QString> sortedDistinctNumbers(const std::vector<std::string>& texts) {
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
    std::vector<QString> sorted;
    sorted.reserve(keyed.size());
    for (const auto& entry : keyed)
        sorted.push_back(QString::fromUtf8(entry.second.data(), static_cast<qsizetype>(entry.second.size())));
    return sorted;
}

QStringList toList(const std::vector<QString>& values) { return QStringList(values.begin(), values.end()); }

std::string quoted(std::string_view text) {
    std::string out = "'";
    for (const char c : text) {
        out += c;
        if (c == '\'') out += c;
    }
    return out + "'";
}

// A field that cannot be read (an age the rule cannot compute) leaves only its
// own value out of the menu; the rebuild goes on with every other value.
template <typename Read>
void readGuarded(std::vector<std::string>& into, Read read) {
    try {
        into.push_back(read());
    } catch (const std::exception&) {
    }
}

}  // namespace

void TForm1::Uuenda() {
    DataSource::Freeze freeze(*DataSource1);
    const int remembered = ClientDataSet1.recNo();
    ClientDataSet1.setFiltered(false);
    ClientDataSet1.setIndexName("");
    ClientDataSet1.first();

    std::vector<std::string> years, names, ages;
    const int count = ClientDataSet1.recordCount();
    years.reserve(static_cast<size_t>(count));
    names.reserve(static_cast<size_t>(count));
    ages.reserve(static_cast<size_t>(count));
    for (int i = 1; i <= count; ++i) {
        try {
            if (std::string year = ClientDataSet1.fieldText(store::Aasta); !year.empty()) years.push_back(std::move(year));
        } catch (const std::exception&) {
            // As in readGuarded: only this year is left out of its menu.
        }
        readGuarded(names, [this] { return ClientDataSet1.fieldText(store::Nimi); });
        readGuarded(ages, [this] { return ClientDataSet1.fieldText(store::Vanus); });
        if (i < count) ClientDataSet1.next();
    }
    ComboBox1 = sortedDistinctNumbers(years);
    ComboBox2 = sortedDistinct(names);
    ComboBox3 = sortedDistinctNumbers(ages);
    Frame11->MenuAasta->setValues(toList(ComboBox1));
    Frame11->MenuNimi->setValues(toList(ComboBox2));
    Frame11->MenuVanus->setValues(toList(ComboBox3));

    ClientDataSet1.setIndexName(ClientDataSet1.indexDef().name);
    ClientDataSet1.setFiltered(true);
    ClientDataSet1.setRecNo(remembered);
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

std::string TForm1::ClientDataSet1CalcFields(const store::EventRow& row) const {
    return store::ageOfRow(row, clock_);
}

}  // namespace app
