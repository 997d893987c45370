// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a filter text: parsing either gives an expression or throws
// StoreError, and a parsed expression can test rows.
#include "store/FilterExpression.h"
#include "store/StoreError.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace {

std::vector<store::EventRow> sampleRows() {
    std::vector<store::EventRow> rows(4);
    rows[0] = {5, 3, 1980, "Mari Õunapuu", "S", store::Date{1980, 3, 5}};
    rows[1] = {24, 12, std::nullopt, "Jõulud", "T", store::Date{2026, 12, 24}};
    rows[2] = {29, 2, 2000, "O'Brien *Šõžü*", "N", std::nullopt};
    return rows;  // rows[3] is all null and empty
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    static const std::vector<store::EventRow> rows = sampleRows();
    store::FilterExpression expression;
    try {
        expression = store::FilterExpression::parse(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const store::StoreError&) {
        return 0;
    }
    for (const store::EventRow& row : rows) (void)expression.matches(row);
    return 0;
}
