// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a command's result to the file of -o, the way command-line tools
// do: through the path, so that a symlink stays a symlink and a device such
// as /dev/stdout or /dev/null is written to, not replaced; a new file gets
// the user's umask. The result is written as it is made.
#pragma once

#include <string>
#include <string_view>

namespace cli {

class OutputFile {
public:
    // Opens `path`, truncating what was there. Throws CliError when `path`
    // names the data file `dataFile` itself (also through a symlink or a
    // hard link), or when the file cannot be opened.
    OutputFile(const std::string& path, const std::string& dataFile);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Throws CliError when `text` cannot be written.
    void write(std::string_view text);
    // Throws CliError when what was written did not reach the file.
    void close();

private:
    [[noreturn]] void fail(int error) const;

    std::string path_;
    int fd_ = -1;
};

}  // namespace cli
