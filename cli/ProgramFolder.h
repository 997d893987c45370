// Where the program's own executable lies; its data file sits beside it.
#pragma once

#include <string>

namespace cli {

// The folder of the running executable (from /proc/self/exe), or "." when
// it cannot be found.
std::string programFolder();

}  // namespace cli
