// SPDX-License-Identifier: GPL-3.0-or-later
// The checks a file passes before the command line reads it whole, so that
// no file costs more memory than a small multiple of the largest it accepts.
#pragma once

#include "store/FileSystem.h"

#include <cstdint>
#include <string>

namespace cli {

inline constexpr std::uint64_t kMostImportBytes = std::uint64_t{64} << 20;  // a vCard or CSV file
inline constexpr std::uint64_t kMostListBytes = store::kMostFileBytes;      // the data file

// Throws CliError when `path` names something other than a regular file (a
// FIFO or a device would be read forever) or a file over `mostBytes`. A file
// that does not exist passes; reading it reports that.
void checkInputFile(const std::string& path, std::uint64_t mostBytes);

}  // namespace cli
