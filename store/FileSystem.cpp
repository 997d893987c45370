#include "store/FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "store/StoreError.h"

namespace store {

namespace {

bool writeAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        content.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A new empty file beside `path` for replace(), its name in `temp`; -1 with
// errno set when none can be created.
int createTemporaryBeside(const std::string& path, std::string& temp) {
    temp = path + ".tmp-XXXXXX";
    return ::mkstemp(temp.data());
}

// Makes a finished rename survive a power loss; best effort.
void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

PosixFileSystem& PosixFileSystem::instance() {
    static PosixFileSystem files;
    return files;
}

bool PosixFileSystem::exists(const std::string& path) const {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

void PosixFileSystem::create(const std::string& path, std::string_view content) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        const int error = errno;
        throw WriteError(path, error);
    }
    int error = 0;
    if (!writeAll(fd, content) || ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error != 0) {
        ::unlink(path.c_str());
        throw WriteError(path, error);
    }
}

std::string PosixFileSystem::read(const std::string& path) const {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw StoreError::cannotOpen(path, errno);
    std::string content;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && info.st_size > 0) content.reserve(static_cast<size_t>(info.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            ::close(fd);
            throw StoreError::cannotRead(path, error);
        }
        if (got == 0) break;
        content.append(buffer, static_cast<size_t>(got));
    }
    ::close(fd);
    return content;
}

void PosixFileSystem::replace(const std::string& path, std::string_view content) {
    mode_t mode = 0644;
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) mode = info.st_mode & 07777;

    std::string temp;
    const int fd = createTemporaryBeside(path, temp);
    if (fd < 0) {
        const int error = errno;
        throw WriteError(path, error);
    }
    int error = 0;
    if (!writeAll(fd, content) || ::fchmod(fd, mode) != 0 || ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(temp.c_str(), path.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temp.c_str());
        throw WriteError(path, error);
    }
    syncFolder(folderOf(path));
}

bool PosixFileSystem::isReadOnly(const std::string& path) const {
    struct stat info {};
    return ::stat(path.c_str(), &info) != 0 || (info.st_mode & S_IWUSR) == 0;
}

void PosixFileSystem::clearReadOnly(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || ::chmod(path.c_str(), (info.st_mode & 07777) | S_IWUSR) != 0) {
        const int error = errno;
        throw WriteError(path, error);
    }
}

void PosixFileSystem::checkFolderWritable(const std::string& path) {
    std::string temp;
    const int fd = createTemporaryBeside(path, temp);
    if (fd < 0) {
        const int error = errno;
        throw WriteError(path, error);
    }
    ::close(fd);
    ::unlink(temp.c_str());
}

}  // namespace store
