// SPDX-License-Identifier: GPL-3.0-or-later
// The filter text of the store: terms `Field=value` joined by " AND ".
//   Paev, Kuu, Aasta: a decimal integer (leading zeros allowed: Paev=05)
//   Nimi, Tyyp:       a text in single quotes, inner quotes doubled
//                     ('O''Brien'); equal case-sensitively, or, when the
//                     text has two or more characters and ends in "*",
//                     a prefix match on what stands before the "*".
// An empty (or blank) text is the empty expression, which every row passes.
#pragma once

#include "store/EventRecord.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace store {

class FilterExpression {
public:
    // The empty expression.
    FilterExpression() = default;
    // Throws StoreError with the place of the first fault.
    static FilterExpression parse(std::string_view text);

    bool empty() const { return terms_.empty(); }
    bool matches(const EventRow& row) const;

private:
    struct Term {
        int field;            // FieldPos
        std::int64_t number;  // integer fields
        std::string text;     // text fields: the whole text, or the prefix
        bool prefix = false;
    };
    std::vector<Term> terms_;
};

}  // namespace store
