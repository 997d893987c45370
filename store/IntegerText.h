// SPDX-License-Identifier: GPL-3.0-or-later
// Decimal integers as the store reads them from text.
#pragma once

#include <string_view>

namespace store {

// Reads a decimal integer with an optional sign and nothing else around it.
// Throws ConversionError otherwise (also on overflow of 32 bits).
int parseInteger(std::string_view text);

}  // namespace store
