// SPDX-License-Identifier: GPL-3.0-or-later
// Every call the store makes to the operating system: on its data file, the
// lock beside it and the folder they share, behind one interface so that
// tests can make any of them fail. PosixFileSystem is the real thing.
//
// The questions (exists, isReadOnly, stamp, othersMayReplace, namesIn), lock
// and removeRegularFile answer without throwing. Every other call either does
// its work or throws: StoreError when a file cannot be read, WriteError (with
// the system's error number) when one cannot be written.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace store {

// The most any file is read into memory: 1 GiB. A list of 1,000,000 entries
// takes some 84 MB.
inline constexpr std::uint64_t kMostFileBytes = std::uint64_t{1} << 30;

// What tells one version of a file from the next: writing the file, or
// putting another in its place, gives it a new stamp.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// A lock held on a file; it is released when this goes.
class FileLock {
public:
    virtual ~FileLock() = default;
};

// What an attempt to lock a file gave: the lock, or the system's error
// number (EWOULDBLOCK: another holder has it).
struct LockAttempt {
    std::unique_ptr<FileLock> held;
    int error = 0;
};

// A file opened for reading by position, piece by piece; several threads
// may read it at once.
class FileReader {
public:
    virtual ~FileReader() = default;
    // The file's size when it was opened.
    virtual std::uint64_t size() const = 0;
    // Fills `into` with the bytes from `offset` on, and tells how many it
    // put there: fewer only where the file ends. Throws StoreError.
    virtual size_t readAt(std::uint64_t offset, std::span<char> into) const = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The file's stamp; nullopt when it has none to tell (or is missing).
    virtual std::optional<FileStamp> stamp(const std::string&) const { return std::nullopt; }

    virtual bool exists(const std::string& path) const = 0;
    // Creates a new file holding `content`. Throws WriteError, also when the
    // file exists already; a partial file is removed again.
    virtual void create(const std::string& path, std::string_view content) = 0;
    // The whole file. Throws StoreError when it cannot be read (a folder
    // with EISDIR), is no regular file (a FIFO or a device is never read) or
    // is over kMostFileBytes.
    virtual std::string read(const std::string& path) const = 0;
    // The file opened for reading by position, with read()'s checks and
    // errors. This default reads it whole with read() and serves that.
    virtual std::unique_ptr<FileReader> openToRead(const std::string& path) const;
    // Replaces the file's content as one step: a reader sees the old or the
    // new content, never a mix, also after a crash or power loss. The file
    // keeps its permission bits. Throws WriteError; the old file stays intact.
    // PosixFileSystem writes through symlinks to the real file, beside it,
    // and keeps the old file's owner and group where permitted. Where the
    // old file stays another user's, the new one is the user's own, 0600;
    // otherwise it keeps the old one's ACL and extended attributes. Other
    // hard links of the old file keep showing the old content.
    virtual void replace(const std::string& path, std::string_view content) = 0;

    // Write protection: the owner-write permission bit is missing, or the
    // attributes cannot be read.
    virtual bool isReadOnly(const std::string& path) const = 0;
    // Gives the owner the write permission, touching no other bit. Throws
    // WriteError.
    virtual void clearReadOnly(const std::string& path) = 0;
    // Checks that replace() could create its temporary file beside `path`:
    // creates one there and removes it again. Throws WriteError when the
    // folder takes no new file.
    virtual void checkFolderWritable(const std::string& path) = 0;
    // Whether other users may put another file in place of `path`: its real
    // folder may be written by every user and is neither the user's nor
    // root's, and is not sticky with `path` the user's own.
    virtual bool othersMayReplace(const std::string& path) const = 0;

    // Takes the exclusive lock of the lock file `path` once, without waiting;
    // the file is created when missing. Only who may write the lock file can
    // hold it. Never follows a symlink (ELOOP) and refuses a file that is not
    // a regular one (EINVAL).
    virtual LockAttempt lock(const std::string& path) = 0;
    // The names in `folder`; none when it cannot be read.
    virtual std::vector<std::string> namesIn(const std::string& folder) const = 0;
    // Removes `path` when it is a regular file (a symlink, a folder or
    // anything else stays); true when it went.
    virtual bool removeRegularFile(const std::string& path) = 0;
};

// The folder holding `path`: "." for a bare name, "/" for a name in the root.
std::string folderOf(const std::string& path);
// The last part of `path`.
std::string_view fileNameOf(std::string_view path);
// Whether `name` is one of the temporary files that replace() writes beside
// the file named `base`.
bool isTemporaryOf(std::string_view name, std::string_view base);

// `path` with every symlink resolved, or `path` itself when it cannot be
// resolved (e.g. it does not exist yet).
std::string realPathOf(const std::string& path);

class PosixFileSystem : public FileSystem {
public:
    std::optional<FileStamp> stamp(const std::string& path) const override;
    bool exists(const std::string& path) const override;
    void create(const std::string& path, std::string_view content) override;
    std::string read(const std::string& path) const override;
    std::unique_ptr<FileReader> openToRead(const std::string& path) const override;
    void replace(const std::string& path, std::string_view content) override;
    bool isReadOnly(const std::string& path) const override;
    void clearReadOnly(const std::string& path) override;
    void checkFolderWritable(const std::string& path) override;
    bool othersMayReplace(const std::string& path) const override;
    LockAttempt lock(const std::string& path) override;
    std::vector<std::string> namesIn(const std::string& folder) const override;
    bool removeRegularFile(const std::string& path) override;

    // The process-wide instance.
    static PosixFileSystem& instance();
};

}  // namespace store
