// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/NewEntries.h"

#include "store/DateText.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace cli {

namespace {

// What tells one row from another for adding: Nimi, Paev, Kuu, Aasta and Tyyp.
struct RowKey {
    std::string_view name;
    std::optional<std::int16_t> day;
    std::optional<std::int16_t> month;
    std::optional<std::int32_t> year;
    std::string_view type;
    friend bool operator==(const RowKey&, const RowKey&) = default;
};

// The keys of the list's rows, then those of the entries, by their place in
// that sequence; they point into both, which must stay as they are.
class Keys {
public:
    Keys(const std::vector<store::EventRow>& rows, const std::vector<NewEntry>& entries, SameRow same)
        : rows_(rows), entries_(entries), anyYear_(same == SameRow::InAnyYear) {}
    size_t size() const { return rows_.size() + entries_.size(); }
    RowKey operator[](size_t i) const {
        if (i < rows_.size()) {
            const store::EventRow& row = rows_[i];
            return {row.nimi, row.paev, row.kuu, anyYear_ ? std::nullopt : row.aasta, row.tyyp};
        }
        const NewEntry& entry = entries_[i - rows_.size()];
        return {entry.name, static_cast<std::int16_t>(entry.date.day), static_cast<std::int16_t>(entry.date.month),
                anyYear_ ? std::nullopt : entry.date.year, std::string_view(&entry.type, 1)};
    }

private:
    const std::vector<store::EventRow>& rows_;
    const std::vector<NewEntry>& entries_;
    bool anyYear_;
};

std::uint64_t hashOf(const RowKey& key) {
    std::uint64_t hash = std::hash<std::string_view>()(key.name);
    const auto mix = [&hash](std::uint64_t value) { hash = (hash ^ value) * 0x100000001b3ull; };
    mix(key.day ? static_cast<size_t>(*key.day) : 0x10000);
    mix(key.month ? static_cast<size_t>(*key.month) : 0x10000);
    mix(key.year ? static_cast<size_t>(static_cast<std::uint32_t>(*key.year)) : 0x100000000ull);
    mix(std::hash<std::string_view>()(key.type));
    return hash;
}

// Which entries are new: none of the list's rows, nor an entry before it,
// is the same row. One pass over a table of places with twice as many slots
// as places, each place in the first free slot from where its hash points.
std::vector<bool> newEntries(const std::vector<store::EventRow>& rows, const std::vector<NewEntry>& entries,
                             SameRow same) {
    const Keys keys(rows, entries, same);
    std::vector<std::uint64_t> hashes(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) hashes[i] = hashOf(keys[i]);
    int slotBits = 1;
    while ((size_t{1} << slotBits) < 2 * keys.size()) ++slotBits;
    constexpr size_t kFree = SIZE_MAX;
    std::vector<size_t> slots(size_t{1} << slotBits, kFree);
    // Takes `place` in unless an earlier place holds the same row.
    const auto takeIn = [&](size_t place) {
        // The hash's high bits, spread by Fibonacci hashing, choose the slot.
        size_t slot = (hashes[place] * 0x9E3779B97F4A7C15ull) >> (64 - slotBits);
        for (;; slot = (slot + 1) & (slots.size() - 1)) {
            const size_t held = slots[slot];
            if (held == kFree) {
                slots[slot] = place;
                return true;
            }
            if (hashes[held] == hashes[place] && keys[held] == keys[place]) return false;
        }
    };
    for (size_t i = 0; i < rows.size(); ++i) takeIn(i);
    std::vector<bool> isNew(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) isNew[i] = takeIn(rows.size() + i);
    return isNew;
}

store::Date storedDate(const YearlyDate& date, const store::Date& today) {
    if (date.year) return {*date.year, date.month, date.day};
    return *store::yearlessDate(date.month, date.day, today);
}

}  // namespace

ImportCounts addNewEntries(store::ClientDataSet& dataSet, const std::vector<NewEntry>& entries,
                           const store::Date& today, SameRow same) {
    const std::vector<bool> isNew = newEntries(dataSet.allRows(), entries, same);
    ImportCounts counts;
    for (size_t i = 0; i < entries.size(); ++i) {
        const NewEntry& entry = entries[i];
        if (!isNew[i]) {
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
