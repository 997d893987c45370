// The lock beside a data file ("<data file>.lock") that keeps two programs
// from writing one list: the window program holds it while the list is open,
// the command line while it changes the file. The lock is advisory (flock):
// it goes when its holder releases it, closes or dies, so it never goes stale.
// The lock file is never followed through a symlink, and one that is not a
// regular file is refused; an existing one is opened for reading only, which
// is all the lock needs, so a lock file created by another user serves too.
#pragma once

#include <cerrno>
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
    // Another program holds the lock.
    bool heldElsewhere() const { return error_ == EWOULDBLOCK; }
    // Why the lock was not taken: EWOULDBLOCK when another program holds it,
    // else the system's error number (ELOOP for a symlink, EINVAL for a lock
    // file that is not a regular file); 0 while held.
    int error() const { return error_; }

    static std::string lockFileOf(const std::string& dataFile) { return dataFile + ".lock"; }

private:
    int fd_ = -1;
    int error_ = 0;
};

}  // namespace store
