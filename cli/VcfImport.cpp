// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/VcfImport.h"

#include "store/EventRecord.h"
#include "store/TextEncoding.h"

#include <optional>

namespace cli {

namespace {

std::string dateWord(char type) { return type == store::kBirthday ? "sünnipäev" : "tähtpäev"; }

// Why the contact date cannot be added, or nullopt when it can.
std::optional<std::string> problemOf(const ContactDate& contact, const std::string& name, const store::Date& today) {
    if (name.empty()) return "kontaktil pole nime";
    if (!contact.date) return dateWord(contact.type) + " \"" + contact.value + "\" pole kehtiv kuupäev";
    if (contact.date->year && *contact.date->year > today.year)
        return dateWord(contact.type) + " " + contact.value + " on tulevikus";
    return std::nullopt;
}

}  // namespace

ImportCounts importContactDates(store::ClientDataSet& dataSet, const std::vector<ContactDate>& dates,
                                const store::Date& today, std::vector<SkippedContact>& skipped) {
    std::vector<NewEntry> entries;
    int unusable = 0;
    for (const ContactDate& contact : dates) {
        std::string name(store::utf8Prefix(contact.name, store::kNimiWidth));
        while (!name.empty() && name.back() == ' ') name.pop_back();
        if (const auto problem = problemOf(contact, name, today)) {
            skipped.push_back({contact.name, *problem});
            ++unusable;
            continue;
        }
        entries.push_back({std::move(name), contact.type, *contact.date});
    }
    ImportCounts counts = addNewEntries(dataSet, entries, today);
    counts.skipped += unusable;
    return counts;
}

std::string skippedContactLine(const SkippedContact& contact) {
    return "Vahele jäetud: " + (contact.name.empty() ? std::string("nimeta kontakt") : contact.name) + ": " +
           contact.reason + ".";
}

}  // namespace cli
