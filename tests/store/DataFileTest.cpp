// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/DataFile.h"
#include "store/EventRecord.h"
#include "store/StoreError.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace store {
namespace {

mode_t modeOf(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

TEST(DataFile, FirstStartCreatesTheEmptyPacket) {
    TempDir dir;
    FaultyFileSystem files;
    const std::string path = dataFilePath(dir.path());
    EXPECT_EQ(path, dir.path() + "/Vozoraza.xml");
    EXPECT_EQ(prepareDataFile(files, path).kind, DataFileStatus::Ready);
    const std::string content = readFile(path);
    EXPECT_EQ(content.size(), 433u);
    EXPECT_EQ(content, std::string(kEmptyPacket) + "\r\n");
}

TEST(DataFile, AnExistingFileIsLeftAsItIs) {
    TempDir dir;
    FaultyFileSystem files;
    const std::string path = dataFilePath(dir.path());
    writeFile(path, "whatever");
    EXPECT_EQ(prepareDataFile(files, path).kind, DataFileStatus::Ready);
    EXPECT_EQ(readFile(path), "whatever");
}

TEST(DataFile, MissingWhenTheFolderCannotTakeTheFile) {
    TempDir dir;
    FaultyFileSystem files;
    EXPECT_EQ(prepareDataFile(files, dataFilePath(dir.file("no-such-folder"))).kind, DataFileStatus::Missing);
    files.createFails = true;
    EXPECT_EQ(prepareDataFile(files, dataFilePath(dir.path())).kind, DataFileStatus::Missing);
    EXPECT_FALSE(files.exists(dataFilePath(dir.path())));
}

TEST(DataFile, WriteProtectionIsRemovedQuietlyOrReported) {
    TempDir dir;
    FaultyFileSystem files;
    const std::string path = dataFilePath(dir.path());
    writeFile(path, "x");
    ::chmod(path.c_str(), 0444);
    EXPECT_TRUE(files.isReadOnly(path));
    EXPECT_EQ(prepareDataFile(files, path).kind, DataFileStatus::Ready);
    EXPECT_EQ(modeOf(path), 0644u);

    ::chmod(path.c_str(), 0444);
    files.clearReadOnlyError = EPERM;
    const DataFileStatus status = prepareDataFile(files, path);
    EXPECT_EQ(status.kind, DataFileStatus::WriteProtected);
    EXPECT_EQ(status.error, EPERM);
}

TEST(SafeReplace, KeepsPermissionsAndLeavesNoTemporaryFiles) {
    TempDir dir;
    PosixFileSystem files;
    const std::string path = dir.file("data.xml");
    writeFile(path, "old");
    ::chmod(path.c_str(), 0640);
    files.replace(path, "new content");
    EXPECT_EQ(readFile(path), "new content");
    EXPECT_EQ(modeOf(path), 0640u);
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(SafeReplace, AFailedWriteLeavesTheOldFile) {
    TempDir dir;
    PosixFileSystem files;
    const std::string path = dir.file("gone/data.xml");
    try {
        files.replace(path, "new");
        ADD_FAILURE();
    } catch (const WriteError& error) {
        EXPECT_EQ(error.path(), path);
        EXPECT_FALSE(error.reason().empty());
    }
}

TEST(FileSystem, FailedCreationAndPermissionChangeThrowWithTheErrorNumber) {
    TempDir dir;
    PosixFileSystem files;
    const std::string path = dir.file("data.xml");
    writeFile(path, "kept");
    try {
        files.create(path, "new");
        ADD_FAILURE();
    } catch (const WriteError& error) {
        EXPECT_EQ(error.errorNumber(), EEXIST);
    }
    EXPECT_EQ(readFile(path), "kept");
    try {
        files.clearReadOnly(dir.file("missing.xml"));
        ADD_FAILURE();
    } catch (const WriteError& error) {
        EXPECT_EQ(error.errorNumber(), ENOENT);
        EXPECT_EQ(error.path(), dir.file("missing.xml"));
    }
}

}  // namespace
}  // namespace store
