// SPDX-License-Identifier: GPL-3.0-or-later
// The data file opened for changing: its lock held, leftover temporary files
// of a killed save removed, the file created when missing and checked to be
// writable, and its rows open in a store.
#pragma once

#include "store/ClientDataSet.h"
#include "store/DataFileLock.h"
#include "store/FileSystem.h"

#include <string>

namespace cli {

class LockedDataFile {
public:
    // Throws CliError, in Estonian, when another program holds the lock (the
    // window has the list open), the lock file cannot be used, or the data
    // file cannot be created, read or saved; touches nothing then.
    LockedDataFile(store::FileSystem& files, const std::string& path);

    const std::string& path() const { return path_; }
    store::ClientDataSet& dataSet() { return dataSet_; }

    // Writes the rows when they changed, as a whole (temporary file, flush,
    // rename). Throws store::WriteError, leaving the old file whole.
    void save() { dataSet_.close(); }

private:
    std::string path_;
    store::DataFileLock lock_;
    store::ClientDataSet dataSet_;
};

}  // namespace cli
