// SPDX-License-Identifier: GPL-3.0-or-later
// Where a long result goes as it is made, piece by piece, so that it is never
// held whole.
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

namespace cli {

// Takes the next piece of the text; throws CliError when it cannot be written.
using TextSink = std::function<void(std::string_view)>;

// About how long the pieces are.
inline constexpr size_t kTextPieceSize = size_t{64} * 1024;

}  // namespace cli
