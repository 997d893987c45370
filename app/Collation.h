// SPDX-License-Identifier: GPL-3.0-or-later
// Text order of the user's language (Estonian: š ž after s, õ ä ö ü after w),
// as byte keys whose plain byte order is the language's order.
#pragma once

#include "store/TextOrder.h"

#include <QString>

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

struct UCollator;

namespace app {

class Collation : public store::TextOrder {
public:
    // Case-sensitive: letter case only breaks ties between equal letters.
    // Otherwise texts that differ only in case are equal.
    explicit Collation(bool caseSensitive);
    ~Collation() override;
    Collation(const Collation&) = delete;
    Collation& operator=(const Collation&) = delete;

    std::string sortKey(std::string_view utf8) const override;
    std::string sortKey(const QString& text) const;
    // Straight from UTF-8, without making keys.
    int compare(std::string_view a, std::string_view b) const override;
    // A character's primary weights, told by the collator; not for one that
    // may join the characters before it (the second of a contraction).
    bool appendPrimaryWeights(char32_t c, std::vector<std::uint32_t>& weights) const override;
    size_t contextLength() const override;
    // Readies what the first sort would otherwise wait for (about 7 ms):
    // the contractions and the collator's own tables for telling weights.
    void prepare() const;
    // Sparing a string per key.
    void appendSortKey(std::string_view utf8, std::string& keys) const override;

private:
    // The characters that may join those before them, and how many before.
    struct Joining {
        std::vector<char32_t> characters;  // sorted
        size_t reach = 0;
    };
    const Joining& joining() const;

    UCollator* collator_;
    mutable std::once_flag joiningFound_;
    mutable Joining joining_;
};

// The order of names in the list's index (case-sensitive).
const Collation& nameOrder();
// The order of the filter menus' values (case-insensitive).
const Collation& menuOrder();

}  // namespace app
