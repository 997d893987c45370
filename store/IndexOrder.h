// SPDX-License-Identifier: GPL-3.0-or-later
// The order of the list's rows under its index: a field list compared field
// by field, in one direction, names in a plugged-in text order.
//
// Sorting packs each row's leading fields into a 64- or 128-bit number whose
// plain order agrees with the full comparison wherever two numbers differ, so
// that only rows whose numbers tie are compared field by field.
#pragma once

#include "store/EventRecord.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace store {

class TextOrder;

class IndexOrder {
public:
    // `fields` are field positions (Vanus excluded); `names` outlives this.
    IndexOrder(std::vector<int> fields, bool descending, const TextOrder& names);

    // <0, 0 or >0 as `a` comes before, ties with or comes after `b`.
    int compare(const EventRow& a, const EventRow& b) const;
    // The places of `rows` in index order; ties keep the order of `rows`.
    std::vector<size_t> sorted(const std::vector<EventRow>& rows) const;
    // The first `count` places of sorted(rows) among the rows flagged in
    // `members`, found without sorting the rest: a pass over the leading
    // integer fields, then a sort of the few rows that can come first.
    // nullopt when the index leads with no integer field, or too many rows
    // tie on those fields for that to be quick.
    std::optional<std::vector<size_t>> front(const std::vector<EventRow>& rows, const std::vector<bool>& members,
                                             size_t count) const;

private:
    std::vector<int> fields_;
    bool descending_;
    const TextOrder& names_;
};

}  // namespace store
