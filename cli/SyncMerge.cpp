// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/SyncMerge.h"

#include "cli/CalendarEvent.h"
#include "cli/IcsExport.h"
#include "cli/Upcoming.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <tuple>

namespace cli {

namespace {

using RowKey = std::tuple<std::string, std::optional<std::int16_t>, std::optional<std::int16_t>,
                          std::optional<std::int32_t>, std::string>;

RowKey keyOf(const store::EventRow& row) { return {row.nimi, row.paev, row.kuu, row.aasta, row.tyyp}; }

store::EventRow withoutKuup(store::EventRow row) {
    row.kuup.reset();
    return row;
}

// "Mari Maasikas (05.03.1986, sünnipäev)"
std::string described(const store::EventRow& row) {
    auto two = [](const std::optional<std::int16_t>& value) {
        const std::string text = value ? std::to_string(*value) : "?";
        return text.size() < 2 ? "0" + text : text;
    };
    std::string text = oneLineName(row.nimi) + " (" + two(row.paev) + "." + two(row.kuu) + ".";
    if (row.aasta) text += std::to_string(*row.aasta);
    const auto label = store::typeLabel(row.tyyp);
    if (label) text += ", " + labelInSentence(std::string(*label));
    return text + ")";
}

std::string conflictLine(const store::EventRow& before, const store::EventRow& server) {
    return "muudetud nii loendis kui ka serveris: " + described(before) + "; serveri versioon " + described(server) +
           " lisati loendisse, loendi oma jäi alles";
}

// The list's rows not yet paired with an entry or an event, by their key.
class UnpairedRows {
public:
    explicit UnpairedRows(const std::vector<store::EventRow>& rows) {
        for (size_t i = rows.size(); i-- > 0;) byKey_[keyOf(rows[i])].push_back(i);
    }

    std::optional<size_t> take(const store::EventRow& row) {
        const auto found = byKey_.find(keyOf(row));
        if (found == byKey_.end() || found->second.empty()) return std::nullopt;
        const size_t place = found->second.back();
        found->second.pop_back();
        return place;
    }

    void giveBack(const store::EventRow& row, size_t place) { byKey_[keyOf(row)].push_back(place); }

    std::vector<size_t> places() const {
        std::vector<size_t> all;
        for (const auto& [key, rows] : byKey_) all.insert(all.end(), rows.begin(), rows.end());
        std::sort(all.begin(), all.end());
        return all;
    }

private:
    std::map<RowKey, std::vector<size_t>> byKey_;
};

enum class ServerSide { Unchanged, Changed, NoDate, Deleted };

}  // namespace

SyncCounts& SyncCounts::operator+=(const SyncCounts& other) {
    toServer += other.toServer;
    fromServer += other.fromServer;
    deleted += other.deleted;
    bothChanged += other.bothChanged;
    return *this;
}

bool SyncPlan::changesState(const SyncState& before) const {
    if (state.size() != before.size()) return true;
    for (size_t i = 0; i < state.size(); ++i)
        if (state[i].fileName != before[i].fileName || state[i].fileHash != before[i].fileHash ||
            state[i].row != before[i].row || state[i].deletedHere != before[i].deletedHere)
            return true;
    return false;
}

SyncPlan planSync(const std::vector<store::EventRow>& listRows, const SyncState& state,
                  const std::vector<VdirFile>& vdir, const EventWriter& writeEvent) {
    SyncPlan plan;
    UnpairedRows unpaired(listRows);
    std::map<std::string, const VdirFile*> files;
    for (const VdirFile& file : vdir) files.emplace(file.name, &file);
    std::set<std::string> usedNames;
    for (const VdirFile& file : vdir) usedNames.insert(file.name);
    std::map<std::string, store::EventRow> deletedHere;  // by UID

    for (const SyncedEntry& entry : state) {
        usedNames.insert(entry.fileName);
        if (entry.deletedHere) {
            deletedHere.emplace(entry.fileName, entry.row);
            continue;
        }
        const std::optional<size_t> inList = unpaired.take(entry.row);
        const auto found = files.find(entry.fileName);
        ServerSide server = ServerSide::Deleted;
        store::EventRow serverRow;
        std::string_view text;
        std::uint64_t hash = entry.fileHash;
        if (found != files.end()) {
            const VdirFile& file = *found->second;
            text = file.text;
            files.erase(found);
            hash = file.hash;
            server = ServerSide::Unchanged;
            if (file.hash != entry.fileHash) {
                const auto event = readCalendarEvent(file.text, entry.row.tyyp);
                if (!event || !event->row) {
                    server = ServerSide::NoDate;
                } else if (keyOf(*event->row) != keyOf(entry.row)) {
                    server = ServerSide::Changed;
                    serverRow = *event->row;
                }
            }
        }

        switch (server) {
            case ServerSide::Unchanged:
                if (inList) {
                    plan.state.push_back({entry.fileName, hash, entry.row});
                } else {
                    plan.vdirDeletions.push_back(entry.fileName);
                    if (const auto event = readCalendarEvent(text))
                        plan.state.push_back({event->uid, 0, entry.row, true});
                    ++plan.counts.deleted;
                }
                break;
            case ServerSide::Changed:
                plan.state.push_back({entry.fileName, hash, serverRow});
                if (inList) {
                    plan.listDeletions.push_back(*inList);
                    plan.listAdditions.push_back(serverRow);
                    ++plan.counts.fromServer;
                } else if (!unpaired.take(serverRow)) {
                    plan.listAdditions.push_back(serverRow);
                    ++plan.counts.bothChanged;
                    plan.conflicts.push_back(conflictLine(entry.row, serverRow));
                }
                break;
            case ServerSide::NoDate:
                if (inList) unpaired.giveBack(entry.row, *inList);
                break;
            case ServerSide::Deleted:
                if (inList) {
                    plan.listDeletions.push_back(*inList);
                    ++plan.counts.deleted;
                }
                break;
        }
    }

    // New events; among them those deleted here because their row was
    // deleted or edited in the list, which the server brought back because
    // they were changed there meanwhile.
    for (const auto& [name, file] : files) {
        auto event = readCalendarEvent(file->text);
        const auto wasHere = event ? deletedHere.find(event->uid) : deletedHere.end();
        if (wasHere != deletedHere.end()) event = readCalendarEvent(file->text, wasHere->second.tyyp);
        if (!event || !event->row) continue;
        plan.state.push_back({name, file->hash, *event->row});
        if (unpaired.take(*event->row)) continue;
        plan.listAdditions.push_back(*event->row);
        if (wasHere == deletedHere.end()) {
            ++plan.counts.fromServer;
        } else {
            ++plan.counts.bothChanged;
            plan.conflicts.push_back(conflictLine(wasHere->second, *event->row));
        }
    }

    std::map<RowKey, int> occurrences;
    for (const size_t place : unpaired.places()) {
        const store::EventRow row = withoutKuup(listRows[place]);
        int& occurrence = occurrences[keyOf(row)];
        std::string name;
        std::string uid;
        do {
            uid = eventUid(row, ++occurrence);
            name = vdirFileName(uid);
        } while (usedNames.count(name));
        // With its Kuup: the event of a row without a year starts in that year.
        std::string text = writeEvent(listRows[place], uid);
        if (text.empty()) continue;
        usedNames.insert(name);
        const std::uint64_t hash = contentHash(text);
        plan.vdirWrites.push_back({name, std::move(text), hash});
        plan.state.push_back({name, hash, row});
        ++plan.counts.toServer;
    }

    std::sort(plan.listDeletions.begin(), plan.listDeletions.end());
    return plan;
}

bool deletesTooMuch(const SyncPlan& plan, const SyncState& state) {
    const auto synced = static_cast<size_t>(
        std::count_if(state.begin(), state.end(), [](const SyncedEntry& entry) { return !entry.deletedHere; }));
    const auto tooMany = [&](size_t deletions) {
        return deletions >= static_cast<size_t>(kFewestGuardedDeletions) && deletions * 2 > synced;
    };
    return tooMany(plan.listDeletions.size()) || tooMany(plan.vdirDeletions.size());
}

}  // namespace cli
