// SPDX-License-Identifier: GPL-3.0-or-later
// PosixFileSystem's lock: the write lock of an open file description
// (F_OFD_SETLK), which only a descriptor open for writing can take. Since
// our programs only ever take write locks, a read lock on a lock file is
// someone else's doing, and is put aside like a lock file one cannot write.
#include "store/FileSystem.h"

#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace store {

namespace {

constexpr int kOpenFlags = O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
constexpr mode_t kLockMode = 0600;

class DescriptorLock final : public FileLock {
public:
    explicit DescriptorLock(int fd) : fd_(fd) {}
    ~DescriptorLock() override { ::close(fd_); }
    DescriptorLock(const DescriptorLock&) = delete;
    DescriptorLock& operator=(const DescriptorLock&) = delete;

private:
    int fd_;
};

struct flock wholeFile(short type) {
    struct flock range {};
    range.l_type = type;
    range.l_whence = SEEK_SET;
    return range;
}

// The kind of lock (F_RDLCK, F_WRLCK) that another holder has on the file
// of `fd` and that keeps a write lock out; F_UNLCK for none.
short lockAgainst(int fd) {
    struct flock probe = wholeFile(F_WRLCK);
    if (::fcntl(fd, F_OFD_GETLK, &probe) != 0) return F_UNLCK;
    return probe.l_type;
}

std::optional<uid_t> folderOwner(const std::string& path) {
    struct stat folder {};
    if (::stat(folderOf(path).c_str(), &folder) != 0) return std::nullopt;
    return folder.st_uid;
}

bool inOwnFolder(const std::string& path) { return folderOwner(path) == ::geteuid(); }

// The lock file opened for writing, created when missing. -1 with errno set
// on failure.
int openLockFile(const std::string& path) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int fd = ::open(path.c_str(), kOpenFlags);
        if (fd >= 0 || errno != ENOENT) return fd;
        const int created = ::open(path.c_str(), kOpenFlags | O_CREAT | O_EXCL, kLockMode);
        if (created >= 0 || errno != EEXIST) return created;
    }
    return -1;
}

// Makes a lock file of the caller's own private to its folder's owner, so
// that one root made in a user's folder keeps that user out only while held.
void makePrivate(int fd, const struct stat& info, const std::string& path) {
    if (info.st_uid != ::geteuid()) return;
    const std::optional<uid_t> owner = folderOwner(path);
    // Best efforts: a lock file left as it was still locks.
    if (owner && *owner != info.st_uid) {
        [[maybe_unused]] const int given = ::fchown(fd, *owner, static_cast<gid_t>(-1));
    }
    if ((info.st_mode & 077) != 0) (void)::fchmod(fd, kLockMode);
}

// For a lock file the caller may not open for writing: removes it, to be
// created anew, when it is a regular file in a folder of the caller's own
// that holds no write lock as far as can be told. 0 once removed, else the
// error to report.
int putAsideUnwritable(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) return errno;
    if (!S_ISREG(info.st_mode)) return EINVAL;
    if (!inOwnFolder(path)) return EACCES;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        const bool held = lockAgainst(fd) == F_WRLCK;
        ::close(fd);
        if (held) return EWOULDBLOCK;
    }
    return ::unlink(path.c_str()) == 0 ? 0 : EACCES;
}

}  // namespace

LockAttempt PosixFileSystem::lock(const std::string& path) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        const bool mayPutAside = attempt == 0;
        const int fd = openLockFile(path);
        if (fd < 0) {
            const int error = errno;
            const int asideError = error == EACCES && mayPutAside ? putAsideUnwritable(path) : error;
            if (asideError == 0) continue;
            return {nullptr, asideError};
        }
        struct stat info {};
        if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
            ::close(fd);
            return {nullptr, EINVAL};
        }
        makePrivate(fd, info, path);
        struct flock range = wholeFile(F_WRLCK);
        if (::fcntl(fd, F_OFD_SETLK, &range) == 0) return {std::make_unique<DescriptorLock>(fd), 0};
        const int error = errno;
        const bool blocked = error == EAGAIN || error == EACCES;
        const bool heldForReading = blocked && lockAgainst(fd) == F_RDLCK;
        ::close(fd);
        if (heldForReading && mayPutAside && inOwnFolder(path) && ::unlink(path.c_str()) == 0) continue;
        return {nullptr, blocked ? EWOULDBLOCK : error};
    }
    return {nullptr, EWOULDBLOCK};
}

}  // namespace store
