#include "store/FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

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

// The names of a file's extended attributes, the ACL's among them.
std::vector<std::string> attributeNames(const std::string& path) {
    std::vector<std::string> names;
    std::string list;
    for (;;) {
        const ssize_t size = ::listxattr(path.c_str(), nullptr, 0);
        if (size <= 0) return names;
        list.resize(static_cast<size_t>(size));
        const ssize_t got = ::listxattr(path.c_str(), list.data(), list.size());
        if (got >= 0) {
            list.resize(static_cast<size_t>(got));
            break;
        }
        if (errno != ERANGE) return names;
    }
    for (size_t at = 0; at < list.size();) {
        const size_t end = list.find('\0', at);
        names.push_back(list.substr(at, end - at));
        at = end == std::string::npos ? list.size() : end + 1;
    }
    return names;
}

// Gives `fd` the extended attributes of `path`. An ACL that cannot be copied
// is an error (without it the group bits would grant what the ACL's mask
// withheld); other attributes are copied where permitted.
int copyAttributes(const std::string& path, int fd) {
    for (const std::string& name : attributeNames(path)) {
        std::string value;
        ssize_t size = ::getxattr(path.c_str(), name.c_str(), nullptr, 0);
        if (size > 0) {
            value.resize(static_cast<size_t>(size));
            size = ::getxattr(path.c_str(), name.c_str(), value.data(), value.size());
        }
        const bool copied = size >= 0 && ::fsetxattr(fd, name.c_str(), value.data(), static_cast<size_t>(size), 0) == 0;
        if (!copied && name.starts_with("system.posix_acl")) return errno != 0 ? errno : EIO;
    }
    return 0;
}

// Gives the new file of `old` its owner and group where permitted: root
// keeps both, an owner keeps a group it belongs to.
void copyOwner(const struct stat& old, int fd) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
}

// Rewrites a file that has other hard links in place, so that every name
// keeps showing it. The whole new content is first flushed to "<file>.uus",
// which is removed again once the file itself is flushed; should the program
// die in between, that copy holds the new content.
void rewriteInPlace(const std::string& path, std::string_view content) {
    const std::string copy = path + ".uus";
    int error = 0;
    const int copyFd = ::open(copy.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (copyFd < 0) {
        const int openError = errno;
        throw WriteError(path, openError);
    }
    if (!writeAll(copyFd, content) || ::fsync(copyFd) != 0) error = errno;
    if (::close(copyFd) != 0 && error == 0) error = errno;
    if (error != 0) {
        ::unlink(copy.c_str());
        throw WriteError(path, error);
    }
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0 || !writeAll(fd, content) || ::ftruncate(fd, static_cast<off_t>(content.size())) != 0 ||
        ::fsync(fd) != 0)
        error = errno;
    if (fd >= 0 && ::close(fd) != 0 && error == 0) error = errno;
    if (error != 0) throw WriteError(path, error);
    ::unlink(copy.c_str());
    syncFolder(folderOf(path));
}

}  // namespace

std::string realPathOf(const std::string& path) {
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved) return path;
    std::string real(resolved);
    std::free(resolved);
    return real;
}

PosixFileSystem& PosixFileSystem::instance() {
    static PosixFileSystem files;
    return files;
}

std::optional<FileStamp> PosixFileSystem::stamp(const std::string& path) const {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    const auto nanoseconds = [](const timespec& time) {
        return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
    };
    return FileStamp{info.st_dev, info.st_ino, info.st_size, nanoseconds(info.st_mtim), nanoseconds(info.st_ctim)};
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

namespace {

// The regular file at `path`, opened for reading and no larger than
// kMostFileBytes, with its size; throws StoreError as read() does.
std::pair<int, std::uint64_t> openRegularFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) throw StoreError::cannotOpen(path, errno);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        if (S_ISDIR(info.st_mode)) throw StoreError::cannotRead(path, EISDIR);
        throw StoreError::notAFile(path);
    }
    if (static_cast<std::uint64_t>(info.st_size) > kMostFileBytes) {
        ::close(fd);
        throw StoreError::tooLarge(path, kMostFileBytes);
    }
    return {fd, static_cast<std::uint64_t>(info.st_size)};
}

class MemoryReader : public FileReader {
public:
    explicit MemoryReader(std::string bytes) : bytes_(std::move(bytes)) {}
    std::uint64_t size() const override { return bytes_.size(); }
    size_t readAt(std::uint64_t offset, std::span<char> into) const override {
        if (offset >= bytes_.size()) return 0;
        return bytes_.copy(into.data(), into.size(), static_cast<size_t>(offset));
    }

private:
    std::string bytes_;
};

class PosixReader : public FileReader {
public:
    PosixReader(std::string path, int fd, std::uint64_t size) : path_(std::move(path)), fd_(fd), size_(size) {}
    ~PosixReader() override { ::close(fd_); }
    PosixReader(const PosixReader&) = delete;
    PosixReader& operator=(const PosixReader&) = delete;

    std::uint64_t size() const override { return size_; }
    size_t readAt(std::uint64_t offset, std::span<char> into) const override {
        size_t filled = 0;
        while (filled < into.size()) {
            const ssize_t got =
                ::pread(fd_, into.data() + filled, into.size() - filled, static_cast<off_t>(offset + filled));
            if (got < 0) {
                if (errno == EINTR) continue;
                throw StoreError::cannotRead(path_, errno);
            }
            if (got == 0) break;
            filled += static_cast<size_t>(got);
        }
        return filled;
    }

private:
    std::string path_;
    int fd_;
    std::uint64_t size_;
};

}  // namespace

std::unique_ptr<FileReader> FileSystem::openToRead(const std::string& path) const {
    return std::make_unique<MemoryReader>(read(path));
}

std::unique_ptr<FileReader> PosixFileSystem::openToRead(const std::string& path) const {
    const auto [fd, size] = openRegularFile(path);
    return std::make_unique<PosixReader>(path, fd, size);
}

std::string PosixFileSystem::read(const std::string& path) const {
    const auto [fd, size] = openRegularFile(path);
    std::string content;
    content.reserve(static_cast<size_t>(size));
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
        if (content.size() + static_cast<size_t>(got) > kMostFileBytes) {
            ::close(fd);
            throw StoreError::tooLarge(path, kMostFileBytes);
        }
        content.append(buffer, static_cast<size_t>(got));
    }
    ::close(fd);
    return content;
}

void PosixFileSystem::replace(const std::string& givenPath, std::string_view content) {
    const std::string path = realPathOf(givenPath);
    struct stat old {};
    const bool hadOld = ::stat(path.c_str(), &old) == 0;
    if (hadOld && S_ISREG(old.st_mode) && old.st_nlink > 1) return rewriteInPlace(path, content);

    std::string temp;
    const int fd = createTemporaryBeside(path, temp);
    if (fd < 0) {
        const int openError = errno;
        throw WriteError(givenPath, openError);
    }
    int error = 0;
    if (hadOld) copyOwner(old, fd);
    if (!writeAll(fd, content) || ::fchmod(fd, hadOld ? old.st_mode & 07777 : 0644) != 0) error = errno;
    if (error == 0 && hadOld) error = copyAttributes(path, fd);
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(temp.c_str(), path.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temp.c_str());
        throw WriteError(givenPath, error);
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
