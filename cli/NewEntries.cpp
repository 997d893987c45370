#include "cli/NewEntries.h"

#include <set>
#include <tuple>

#include "store/DateText.h"

namespace cli {

namespace {

using RowKey = std::tuple<std::string, std::optional<std::int16_t>, std::optional<std::int16_t>,
                          std::optional<std::int32_t>, std::string>;

RowKey keyOf(const store::EventRow& row, SameRow same) {
    return {row.nimi, row.paev, row.kuu, same == SameRow::InAnyYear ? std::nullopt : row.aasta, row.tyyp};
}

RowKey keyOf(const NewEntry& entry, SameRow same) {
    return {entry.name, static_cast<std::int16_t>(entry.date.day), static_cast<std::int16_t>(entry.date.month),
            same == SameRow::InAnyYear ? std::nullopt : entry.date.year, std::string(1, entry.type)};
}

store::Date storedDate(const YearlyDate& date, const store::Date& today) {
    if (date.year) return {*date.year, date.month, date.day};
    return *store::yearlessDate(date.month, date.day, today);
}

}  // namespace

ImportCounts addNewEntries(store::ClientDataSet& dataSet, const std::vector<NewEntry>& entries,
                           const store::Date& today, SameRow same) {
    std::set<RowKey> present;
    for (const store::EventRow& row : dataSet.allRows()) present.insert(keyOf(row, same));

    ImportCounts counts;
    for (const NewEntry& entry : entries) {
        if (!present.insert(keyOf(entry, same)).second) {
            ++counts.skipped;
            continue;
        }
        dataSet.insert();
        dataSet.setFieldText("Nimi", entry.name);
        dataSet.setFieldInteger("Paev", entry.date.day);
        dataSet.setFieldInteger("Kuu", entry.date.month);
        if (entry.date.year) dataSet.setFieldInteger("Aasta", *entry.date.year);
        dataSet.setFieldText("Tyyp", std::string(1, entry.type));
        dataSet.setFieldDate("Kuup", storedDate(entry.date, today));
        dataSet.post();
        ++counts.added;
    }
    return counts;
}

std::string importSummaryLine(const ImportCounts& counts) {
    return "Lisatud " + std::to_string(counts.added) + ", vahele jäetud " + std::to_string(counts.skipped) + ".";
}

}  // namespace cli
