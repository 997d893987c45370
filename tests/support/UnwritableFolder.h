// SPDX-License-Identifier: GPL-3.0-or-later
// Makes a folder refuse new files while the object lives, also for root:
// root gets the folder's immutable attribute, other users lose its write
// permission. The files already in it stay writable.
#pragma once

#include <cerrno>
#include <fcntl.h>
#include <linux/fs.h>
#include <string>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

class UnwritableFolder {
public:
    explicit UnwritableFolder(std::string path) : path_(std::move(path)) {
        if (::geteuid() != 0) {
            ready_ = ::chmod(path_.c_str(), 0555) == 0;
            refusal_ = EACCES;
            return;
        }
        refusal_ = EPERM;
        ready_ = setImmutable(true);
    }
    ~UnwritableFolder() {
        if (!ready_) return;
        if (::geteuid() != 0)
            ::chmod(path_.c_str(), 0755);
        else
            setImmutable(false);
    }
    UnwritableFolder(const UnwritableFolder&) = delete;
    UnwritableFolder& operator=(const UnwritableFolder&) = delete;

    // False where the file system cannot do it (no immutable attribute).
    bool ready() const { return ready_; }
    // The error number that creating a file in the folder gives.
    int refusal() const { return refusal_; }

private:
    bool setImmutable(bool on) {
        const int fd = ::open(path_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        ::close(fd);
        return done;
    }

    std::string path_;
    bool ready_ = false;
    int refusal_ = 0;
};
