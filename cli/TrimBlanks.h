// SPDX-License-Identifier: GPL-3.0-or-later
// Text without the spaces and tabs at either end, as the readers of vCard and
// CSV files take their values.
#pragma once

#include <string_view>

namespace cli {

inline std::string_view trimBlanks(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace cli
