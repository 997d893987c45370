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

QString quoted(QString text) { return QLatin1Char('\'') + text.replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\''); }

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
    const int tag = item->data().toInt();
    FilterMenu* menu = Frame11->columnMenus()[static_cast<size_t>(tag - 1)];
    const int position = menu->positionOf(item);
    menu->check(item);

    QString& slot = FilterValues[static_cast<size_t>(tag - 1)];
    if (position == 0) {
        slot.clear();
    } else {
        slot = menu->valueOf(item);
        if (slot.isEmpty()) slot = QStringLiteral("null");
        if (tag == 2) slot = QString::number(position - 1);
    }
    // The slot reads "null" for the empty name too; the filter must tell the two apart.
    if (tag == 4) emptyNameChosen_ = position != 0 && menu->valueOf(item).isEmpty();

    QStringList terms;
    const FilterSlots& s = FilterValues;
    if (!s[0].isEmpty()) terms << QStringLiteral("Paev=") + s[0];
    if (!s[1].isEmpty()) terms << QStringLiteral("Kuu=") + s[1];
    if (!s[2].isEmpty()) terms << QStringLiteral("Aasta=") + s[2];
    if (!s[3].isEmpty()) terms << QStringLiteral("Nimi=") + quoted(emptyNameChosen_ ? QString() : s[3]);
    if (!s[5].isEmpty()) terms << QStringLiteral("Tyyp=") + quoted(s[5].left(1));
    DataSource1->titlesChanged();

    DataSource::Freeze freeze(*DataSource1);
    ClientDataSet1.Tag = 0;
    ClientDataSet1.setFiltered(false);
    ClientDataSet1.setFilter(terms.join(QStringLiteral(" AND ")).toStdString());
    ClientDataSet1.Tag = 1;
    ClientDataSet1.setFiltered(true);
}

bool TForm1::ClientDataSet1FilterRecord(const store::EventRow& row) const {
    const QString& age = FilterValues[4];
    if (age.isEmpty()) return true;
    const std::string year = row.aasta ? std::to_string(*row.aasta) : std::string();
    return store::AgeText(year, row.kuu.value_or(0), row.paev.value_or(0), clock_) == age.toStdString();
}

std::string TForm1::ClientDataSet1CalcFields(const store::EventRow& row) const {
    if (ClientDataSet1.Tag == 0) return {};
    const std::string year = row.aasta ? std::to_string(*row.aasta) : std::string();
    return store::AgeText(year, row.kuu.value_or(0), row.paev.value_or(0), clock_);
}

}  // namespace app
