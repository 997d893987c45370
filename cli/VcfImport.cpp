#include "VcfImport.h"

#include <set>
#include <tuple>

#include "store/TextEncoding.h"

namespace cli {

namespace {

using RowKey = std::tuple<std::string, std::optional<std::int16_t>, std::optional<std::int16_t>,
                          std::optional<std::int32_t>, std::string>;

RowKey keyOf(const store::EventRow& row) { return {row.nimi, row.paev, row.kuu, row.aasta, row.tyyp}; }

store::Date storedDate(const YearlyDate& date, const store::Date& today) {
    if (date.year) return {*date.year, date.month, date.day};
    const bool leapDay = date.month == 2 && date.day == 29;
    return {leapDay ? latestLeapYear(today.year) : today.year, date.month, date.day};
}

}  // namespace

ImportCounts importContactDates(store::ClientDataSet& dataSet, const std::vector<ContactDate>& dates,
                                const store::Date& today) {
    std::set<RowKey> present;
    for (const store::EventRow& row : dataSet.allRows()) present.insert(keyOf(row));

    ImportCounts counts;
    for (const ContactDate& contact : dates) {
        store::EventRow row;
        row.nimi = std::string(store::utf8Prefix(contact.name, store::kNimiWidth));
        while (!row.nimi.empty() && row.nimi.back() == ' ') row.nimi.pop_back();
        row.tyyp = std::string(1, contact.type);
        if (contact.date) {
            row.paev = static_cast<std::int16_t>(contact.date->day);
            row.kuu = static_cast<std::int16_t>(contact.date->month);
            row.aasta = contact.date->year;
        }
        if (!contact.date || row.nimi.empty() || !present.insert(keyOf(row)).second) {
            ++counts.skipped;
            continue;
        }
        dataSet.insert();
        dataSet.setFieldText("Nimi", row.nimi);
        dataSet.setFieldInteger("Paev", *row.paev);
        dataSet.setFieldInteger("Kuu", *row.kuu);
        if (row.aasta) dataSet.setFieldInteger("Aasta", *row.aasta);
        dataSet.setFieldText("Tyyp", row.tyyp);
        dataSet.setFieldDate("Kuup", storedDate(*contact.date, today));
        dataSet.post();
        ++counts.added;
    }
    return counts;
}

std::string importSummaryLine(const ImportCounts& counts) {
    return "Lisatud " + std::to_string(counts.added) + ", vahele jäetud " + std::to_string(counts.skipped) + ".";
}

}  // namespace cli
