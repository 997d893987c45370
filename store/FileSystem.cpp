// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/FileSystem.h"

#include "store/StoreError.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <utility>
#include <vector>

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

// What replace() puts between a file's name and the six characters mkstemp
// fills in to name its temporary file.
constexpr std::string_view kTemporaryMark = ".tmp-";
constexpr std::string_view kTemporaryRandom = "XXXXXX";

// A new empty file beside `path` for replace(), its name in `temp`; -1 with
// errno set when none can be created.
int createTemporaryBeside(const std::string& path, std::string& temp) {
    temp = path;
    temp += kTemporaryMark;
    temp += kTemporaryRandom;
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
// keeps both, an owner keeps a group it belongs to. True when the new file
// has the old one's owner.
bool copyOwner(const struct stat& old, int fd) {
    if (::fchown(fd, old.st_uid, old.st_gid) == 0) return true;
    // The group alone where the owner cannot be given; the file is whole
    // without it too.
    [[maybe_unused]] const int groupGiven = ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    return old.st_uid == ::geteuid();
}

}  // namespace

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string_view fileNameOf(std::string_view path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool isTemporaryOf(std::string_view name, std::string_view base) {
    if (name.size() != base.size() + kTemporaryMark.size() + kTemporaryRandom.size() || !name.starts_with(base) ||
        name.substr(base.size(), kTemporaryMark.size()) != kTemporaryMark)
        return false;
    const std::string_view random = name.substr(base.size() + kTemporaryMark.size());
    return std::all_of(random.begin(), random.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
}

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

    std::string temp;
    const int fd = createTemporaryBeside(path, temp);
    if (fd < 0) {
        const int openError = errno;
        throw WriteError(givenPath, openError);
    }
    int error = 0;
    // What another user let others do with their file is no rule for the
    // user's own new one.
    const bool keepsOwner = hadOld && copyOwner(old, fd);
    const mode_t mode = keepsOwner ? old.st_mode & 07777 : hadOld ? 0600 : 0644;
    if (!writeAll(fd, content) || ::fchmod(fd, mode) != 0) error = errno;
    if (error == 0 && keepsOwner) error = copyAttributes(path, fd);
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

bool PosixFileSystem::othersMayReplace(const std::string& path) const {
    const std::string real = realPathOf(path);
    struct stat folder {};
    if (::stat(folderOf(real).c_str(), &folder) != 0) return false;
    const uid_t user = ::geteuid();
    if ((folder.st_mode & S_IWOTH) == 0 || folder.st_uid == user || folder.st_uid == 0) return false;
    struct stat file {};
    const bool usersOwn = ::lstat(real.c_str(), &file) == 0 && file.st_uid == user;
    return (folder.st_mode & S_ISVTX) == 0 || !usersOwn;
}

std::vector<std::string> PosixFileSystem::namesIn(const std::string& folder) const {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return names;
    while (const dirent* entry = ::readdir(dir)) names.emplace_back(entry->d_name);
    ::closedir(dir);
    return names;
}

bool PosixFileSystem::removeRegularFile(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::unlink(path.c_str()) == 0;
}

}  // namespace store
