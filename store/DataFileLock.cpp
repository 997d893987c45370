// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/DataFileLock.h"

#include <utility>

namespace store {

DataFileLock::DataFileLock(const std::string& dataFile, FileSystem& files) {
    LockAttempt attempt = files.lock(lockFileOf(dataFile));
    held_ = std::move(attempt.held);
    error_ = attempt.error;
}

}  // namespace store
