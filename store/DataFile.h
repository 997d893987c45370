// SPDX-License-Identifier: GPL-3.0-or-later
// Finding the data file before the store opens it: its path in the program's
// folder, its creation on the first start, and the write check.
#pragma once

#include <string>
#include <string_view>

namespace store {

class FileSystem;

// `folder` + "/" + "Vozoraza.xml".
std::string dataFilePath(std::string_view folder);

struct DataFileStatus {
    // WriteProtected: the file's write protection cannot be removed.
    // FolderUnwritable: no file can be created beside it, so it cannot be
    // saved (saving writes a new file and puts it in the old one's place).
    enum Kind { Ready, Missing, WriteProtected, FolderUnwritable } kind = Ready;
    int error = 0;  // the system's error number for the last two
};

// Creates the empty data file when none exists (a failure to create is
// ignored and shows as Missing), removes a write protection, then checks
// that the folder takes new files.
// Ready: the file exists and can be saved as far as the system says now.
DataFileStatus prepareDataFile(FileSystem& files, const std::string& path);

}  // namespace store
