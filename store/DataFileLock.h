// SPDX-License-Identifier: GPL-3.0-or-later
// The lock beside a data file ("<data file>.lock") that keeps two programs
// from writing one list: the window program holds it while the list is open,
// the command line while it changes the file. It goes when its holder
// releases it, closes or dies, so it never goes stale. Only who may write
// the lock file can hold it, and the lock file is made for its folder's
// owner alone: other users cannot keep the owner out. A lock file the owner
// cannot write (one root left, say) is replaced when the folder is theirs.
// The lock file is never followed through a symlink, and one that is not a
// regular file is refused.
#pragma once

#include "store/FileSystem.h"

#include <cerrno>
#include <memory>
#include <string>

namespace store {

class DataFileLock {
public:
    // Tries once, without waiting, to take the lock of `dataFile`; holds()
    // says whether it was taken, heldElsewhere() whether another holder has
    // it (as opposed to a lock file that cannot be opened). The lock file is
    // created when missing.
    explicit DataFileLock(const std::string& dataFile, FileSystem& files = PosixFileSystem::instance());

    bool holds() const { return held_ != nullptr; }
    // Another program holds the lock.
    bool heldElsewhere() const { return error_ == EWOULDBLOCK; }
    // Why the lock was not taken: EWOULDBLOCK when another program holds it,
    // else the system's error number (ELOOP for a symlink, EINVAL for a lock
    // file that is not a regular file); 0 while held.
    int error() const { return error_; }

    static std::string lockFileOf(const std::string& dataFile) { return dataFile + ".lock"; }

private:
    std::unique_ptr<FileLock> held_;
    int error_ = 0;
};

}  // namespace store
