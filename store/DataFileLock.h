// The lock beside a data file ("<data file>.lock") that keeps two programs
// from writing one list: the window program holds it while the list is open,
// the command line while it changes the file. The lock is advisory (flock):
// it goes when its holder releases it, closes or dies, so it never goes stale.
#pragma once

#include <string>

namespace store {

class DataFileLock {
public:
    // Tries once, without waiting, to take the lock of `dataFile`; holds()
    // says whether it was taken, heldElsewhere() whether another holder has
    // it (as opposed to a lock file that cannot be opened). The lock file is
    // created when missing.
    explicit DataFileLock(const std::string& dataFile);
    ~DataFileLock();
    DataFileLock(const DataFileLock&) = delete;
    DataFileLock& operator=(const DataFileLock&) = delete;

    bool holds() const { return fd_ >= 0; }
    bool heldElsewhere() const { return heldElsewhere_; }

    static std::string lockFileOf(const std::string& dataFile) { return dataFile + ".lock"; }

private:
    int fd_ = -1;
    bool heldElsewhere_ = false;
};

}  // namespace store
