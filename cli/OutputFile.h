// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a command's result to the file of -o, the way command-line tools
// do: through the path, so that a symlink stays a symlink and a device such
// as /dev/stdout or /dev/null is written to, not replaced; a new file gets
// the user's umask.
#pragma once

#include <string>
#include <string_view>

namespace cli {

// Writes `text` to `path`, truncating what was there. Throws CliError when
// `path` names the data file `dataFile` itself (also through a symlink or a
// hard link), or when the file cannot be written.
void writeOutputFile(const std::string& path, std::string_view text, const std::string& dataFile);

}  // namespace cli
