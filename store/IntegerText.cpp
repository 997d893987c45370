// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/IntegerText.h"

#include "store/StoreError.h"

#include <charconv>
#include <cstdint>

namespace store {

int parseInteger(std::string_view text) {
    std::string_view digits = text;
    bool negative = false;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty() || digits.front() < '0' || digits.front() > '9') throw ConversionError(text);
    long long value = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec != std::errc() || end != digits.data() + digits.size()) throw ConversionError(text);
    if (negative) value = -value;
    if (value < INT32_MIN || value > INT32_MAX) throw ConversionError(text);
    return static_cast<int>(value);
}

}  // namespace store
