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
    enum Kind { Ready, Missing, WriteProtected } kind = Ready;
    int error = 0;  // the system's error number for WriteProtected
};

// Creates the empty data file when none exists (a failure to create is
// ignored and shows as Missing), then removes a write protection.
// Ready: the file exists and is writable as far as permissions go.
DataFileStatus prepareDataFile(FileSystem& files, const std::string& path);

}  // namespace store
