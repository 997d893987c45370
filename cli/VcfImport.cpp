#include "cli/VcfImport.h"

#include "store/TextEncoding.h"

namespace cli {

ImportCounts importContactDates(store::ClientDataSet& dataSet, const std::vector<ContactDate>& dates,
                                const store::Date& today) {
    std::vector<NewEntry> entries;
    int unusable = 0;
    for (const ContactDate& contact : dates) {
        std::string name(store::utf8Prefix(contact.name, store::kNimiWidth));
        while (!name.empty() && name.back() == ' ') name.pop_back();
        if (!contact.date || name.empty()) {
            ++unusable;
            continue;
        }
        entries.push_back({std::move(name), contact.type, *contact.date});
    }
    ImportCounts counts = addNewEntries(dataSet, entries, today);
    counts.skipped += unusable;
    return counts;
}

}  // namespace cli
