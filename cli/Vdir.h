// SPDX-License-Identifier: GPL-3.0-or-later
// The vdir: a folder with one calendar file ("<name>.ics") per event, which
// vdirsyncer keeps equal to the collection on the server.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

struct VdirFile {
    std::string name;  // "<name>.ics", without the folder
    std::string text;
    std::uint64_t hash = 0;  // contentHash(text)
};

// A 64-bit hash that tells one content of a file from another.
std::uint64_t contentHash(std::string_view text);

// Every "*.ics" file of `folder`, by name; an empty list when the folder is
// missing. Temporary files that a killed write left there are removed.
// Throws CliError when the folder or a file cannot be read.
std::vector<VdirFile> readVdir(const std::string& folder);

// Writes `text` as `folder`/`name` in one step (temporary file, flush,
// rename), creating the folder when missing. Throws CliError.
void writeVdirFile(const std::string& folder, const std::string& name, std::string_view text);

// Removes `folder`/`name`; a file already gone is no error. Throws CliError.
void removeVdirFile(const std::string& folder, const std::string& name);

// The file name for an event with `uid`: the UID with every character but
// letters, digits, "-", "_", "." and "@" as "_", then ".ics".
std::string vdirFileName(const std::string& uid);

}  // namespace cli
