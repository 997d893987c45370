#include "store/DataFileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace store {

namespace {

// The lock file opened without following a symlink and without blocking on
// a FIFO; created when missing. -1 with errno set on failure.
int openLockFile(const std::string& path) {
    constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int fd = ::open(path.c_str(), O_RDONLY | kFlags);
        if (fd >= 0 || errno != ENOENT) return fd;
        const int created = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | kFlags, 0644);
        if (created >= 0 || errno != EEXIST) return created;
    }
    return -1;
}

}  // namespace

DataFileLock::DataFileLock(const std::string& dataFile) {
    const int fd = openLockFile(lockFileOf(dataFile));
    if (fd < 0) {
        error_ = errno;
        return;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        error_ = EINVAL;
    } else if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        fd_ = fd;
        return;
    } else {
        error_ = errno;
    }
    ::close(fd);
}

DataFileLock::~DataFileLock() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace store
