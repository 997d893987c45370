// SPDX-License-Identifier: GPL-3.0-or-later
// The data file and its lock against planted links, other users' files,
// hard links, ACLs and the leftovers of crashed saves.
#include "store/ClientDataSet.h"
#include "store/DataFileLock.h"
#include "store/EventRecord.h"
#include "store/FileSystem.h"
#include "store/Leftovers.h"
#include "store/StoreError.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fcntl.h>
#include <functional>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace store {
namespace {

constexpr uid_t kNobody = 65534;

PosixFileSystem& files() { return PosixFileSystem::instance(); }

struct stat statOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info;
}

// Runs `check` as the user nobody in a child process; true when it returned true.
bool asNobody(const std::function<bool()>& check) {
    const pid_t child = ::fork();
    if (child == 0) {
        const bool ok = ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0 && check();
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(DataFileLockSafety, NeverFollowsALinkNorWaitsOnAFifo) {
    TempDir dir;
    const std::string list = dir.file("Vozoraza.xml");
    const std::string victim = dir.file("nologin");
    ASSERT_EQ(::symlink(victim.c_str(), DataFileLock::lockFileOf(list).c_str()), 0);
    const DataFileLock throughLink(list);
    EXPECT_FALSE(throughLink.holds());
    EXPECT_FALSE(throughLink.heldElsewhere());
    EXPECT_FALSE(files().exists(victim));

    const std::string other = dir.file("muu.xml");
    ASSERT_EQ(::mkfifo(DataFileLock::lockFileOf(other).c_str(), 0644), 0);
    const DataFileLock onFifo(other);
    EXPECT_FALSE(onFifo.holds());
    EXPECT_EQ(onFifo.error(), EINVAL);
}

mode_t permissionsOf(const std::string& path) { return statOf(path).st_mode & 07777; }

// Opens `path` for reading only and takes every lock a descriptor like that
// can take; the descriptors stay open.
void lockForReading(const std::string& path) {
    const int flockFd = ::open(path.c_str(), O_RDONLY);
    ASSERT_GE(flockFd, 0);
    ASSERT_EQ(::flock(flockFd, LOCK_EX | LOCK_NB), 0);
    const int fcntlFd = ::open(path.c_str(), O_RDONLY);
    ASSERT_GE(fcntlFd, 0);
    struct flock range {};
    range.l_type = F_RDLCK;
    range.l_whence = SEEK_SET;
    ASSERT_EQ(::fcntl(fcntlFd, F_OFD_SETLK, &range), 0);
}

TEST(DataFileLockSafety, WhoMayOnlyReadTheLockFileCannotKeepTheOwnerOut) {
    TempDir dir;
    const std::string list = dir.file("Vozoraza.xml");
    const std::string lockFile = DataFileLock::lockFileOf(list);
    { const DataFileLock first(list); }
    EXPECT_EQ(permissionsOf(lockFile), 0600u);

    ASSERT_EQ(::chmod(lockFile.c_str(), 0644), 0);  // as earlier versions made it
    lockForReading(lockFile);
    const DataFileLock owner(list);
    EXPECT_TRUE(owner.holds()) << "error " << owner.error();
    EXPECT_EQ(permissionsOf(lockFile), 0600u);
    EXPECT_TRUE(DataFileLock(list).heldElsewhere());

    if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    EXPECT_TRUE(asNobody([&] { return DataFileLock(list).error() == EACCES; }));
}

TEST(DataFileLockSafety, ALockFileRootLeftDoesNotKeepAUserOut) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
    TempDir dir;
    ASSERT_EQ(::chown(dir.path().c_str(), kNobody, kNobody), 0);
    const std::string list = dir.file("Vozoraza.xml");
    const std::string lockFile = DataFileLock::lockFileOf(list);
    { const DataFileLock byRoot(list); }
    EXPECT_TRUE(asNobody([&] { return DataFileLock(list).holds(); }));
    {
        const DataFileLock held(list);
        EXPECT_TRUE(asNobody([&] { return DataFileLock(list).heldElsewhere(); }));
    }

    for (const mode_t leftByRoot : {0644, 0600}) {
        ASSERT_EQ(::unlink(lockFile.c_str()), 0);
        ASSERT_NO_THROW(files().create(lockFile, ""));
        ASSERT_EQ(::chmod(lockFile.c_str(), leftByRoot), 0);
        EXPECT_TRUE(asNobody([&] { return DataFileLock(list).holds(); })) << std::oct << leftByRoot;
    }
    ASSERT_EQ(::unlink(lockFile.c_str()), 0);
    ASSERT_NO_THROW(files().create(lockFile, ""));
    const DataFileLock heldByRoot(list);
    EXPECT_TRUE(asNobody([&] { return DataFileLock(list).heldElsewhere(); }));
}

TEST(SavingTheList, WritesThroughALinkAndLeavesHardLinkedBackupsAlone) {
    TempDir dir;
    const std::string real = dir.file("päris.xml");
    const std::string link = dir.file("Vozoraza.xml");
    const std::string backup = dir.file("varukoopia.xml");
    ASSERT_NO_THROW(files().create(real, "vana"));
    ASSERT_EQ(::symlink(real.c_str(), link.c_str()), 0);

    files().replace(link, "uus");
    EXPECT_TRUE(S_ISLNK(statOf(link).st_mode));
    EXPECT_EQ(readFile(real), "uus");

    ASSERT_EQ(::link(real.c_str(), backup.c_str()), 0);
    files().replace(link, "lühem");
    EXPECT_EQ(readFile(real), "lühem");
    EXPECT_EQ(readFile(backup), "uus");
    EXPECT_EQ(statOf(backup).st_nlink, 1u);
    EXPECT_EQ(files().namesIn(dir.path()).size(), 2u + 3u);  // ".", "..", no copy left beside
}

TEST(SavingTheList, NeverPassesOnTheModeOfAnotherUsersFile) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
    TempDir dir;
    ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
    const std::string list = dir.file("Vozoraza.xml");
    ASSERT_NO_THROW(files().create(list, "vana"));
    ASSERT_EQ(::chmod(list.c_str(), 0666), 0);
    EXPECT_TRUE(asNobody([&] {
        files().replace(list, "uus");
        return true;
    }));
    EXPECT_EQ(readFile(list), "uus");
    EXPECT_EQ(statOf(list).st_uid, kNobody);
    EXPECT_EQ(permissionsOf(list), 0600u);
}

TEST(ReadingTheList, RefusedWhereOtherUsersMayPutAnotherInItsPlace) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
    constexpr uid_t kSomeoneElse = kNobody - 1;
    TempDir dir;
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    const std::string shared = dir.file("jagatud");
    ASSERT_EQ(::mkdir(shared.c_str(), 0777), 0);
    const std::string real = shared + "/Vozoraza.xml";
    const std::string list = dir.file("Vozoraza.xml");
    ASSERT_NO_THROW(files().create(real, std::string(kEmptyPacket)));
    ASSERT_EQ(::chmod(real.c_str(), 0666), 0);
    ASSERT_EQ(::symlink(real.c_str(), list.c_str()), 0);
    // Whether the list opened for nobody, or was refused for the right reason.
    const auto opensForNobody = [&](bool opens) {
        return asNobody([&] {
            ClientDataSet dataSet(files());
            dataSet.setFileName(list);
            try {
                dataSet.open();
                return opens;
            } catch (const StoreError& error) {
                return !opens && error.kind() == StoreError::Kind::OpenToOthers && error.path() == list;
            }
        });
    };
    struct Case {
        uid_t folderOwner;
        mode_t folderMode;
        uid_t fileOwner;
        bool opens;
    };
    for (const Case& c : std::vector<Case>{{kSomeoneElse, 0777, kNobody, false},
                                           {kSomeoneElse, 01777, kSomeoneElse, false},
                                           {kSomeoneElse, 01777, kNobody, true},
                                           {kSomeoneElse, 0775, kSomeoneElse, true},
                                           {0, 0777, kSomeoneElse, true},
                                           {kNobody, 0777, kSomeoneElse, true}}) {
        ASSERT_EQ(::chown(shared.c_str(), c.folderOwner, c.folderOwner), 0);
        ASSERT_EQ(::chmod(shared.c_str(), c.folderMode), 0);
        ASSERT_EQ(::chown(real.c_str(), c.fileOwner, c.fileOwner), 0);
        EXPECT_TRUE(opensForNobody(c.opens)) << "folder " << c.folderOwner << " " << std::oct << c.folderMode
                                             << std::dec << ", file " << c.fileOwner << ", opens " << c.opens;
    }
}

// A POSIX ACL as the kernel stores it: owner rw, user nobody r, group none,
// mask r, others none.
std::string aclGivingNobodyRead() {
    std::string acl;
    const auto add = [&acl](std::uint32_t value, size_t bytes) {
        for (size_t i = 0; i < bytes; ++i) acl += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    add(2, 4);  // version
    const std::uint32_t kNoId = 0xFFFFFFFF;
    for (const auto& [tag, perm, id] : std::vector<std::tuple<int, int, std::uint32_t>>{
             {0x01, 6, kNoId}, {0x02, 4, kNobody}, {0x04, 0, kNoId}, {0x10, 4, kNoId}, {0x20, 0, kNoId}}) {
        add(static_cast<std::uint32_t>(tag), 2);
        add(static_cast<std::uint32_t>(perm), 2);
        add(id, 4);
    }
    return acl;
}

TEST(SavingTheList, KeepsOwnerGroupAndAcl) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to give the list another owner";
    TempDir dir;
    const std::string list = dir.file("Vozoraza.xml");
    ASSERT_NO_THROW(files().create(list, "vana"));
    ASSERT_EQ(::chown(list.c_str(), kNobody, kNobody), 0);
    const std::string acl = aclGivingNobodyRead();
    if (::setxattr(list.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) != 0)
        GTEST_SKIP() << "no ACLs on this file system";
    const mode_t mode = statOf(list).st_mode;

    files().replace(list, "uus");
    const struct stat saved = statOf(list);
    EXPECT_EQ(saved.st_uid, kNobody);
    EXPECT_EQ(saved.st_gid, kNobody);
    EXPECT_EQ(saved.st_mode, mode);
    std::string copied(acl.size() + 16, '\0');
    const ssize_t size = ::getxattr(list.c_str(), "system.posix_acl_access", copied.data(), copied.size());
    ASSERT_GT(size, 0);
    copied.resize(static_cast<size_t>(size));
    EXPECT_EQ(copied, acl);
}

TEST(Leftovers, TheHolderOfTheLockRemovesTheTemporariesOfItsListOnly) {
    TempDir dir;
    const std::string list = dir.file("Vozoraza.xml");
    ASSERT_NO_THROW(files().create(list, "loend"));
    const std::vector<std::string> leftovers = {"Vozoraza.xml.tmp-a1B2c3", "Vozoraza.xml.tmp-ZZZZZZ"};
    const std::vector<std::string> others = {
        "Vozoraza.xml.tmp-abc",    "Vozoraza.xml.tmp-a1B2c3d", "Muu.xml.tmp-a1B2c3",       "Vozorazb.xml.tmp-a1B2c3",
        "Vozoraza.xml.bak-a1B2c3", "Vozoraza.xml.tmp-a1~2c.",  "Vozoraza.xml.tmp-a1B2c3.", "Vozoraza.xml.lock"};
    for (const auto& name : leftovers) ASSERT_NO_THROW(files().create(dir.file(name), "pooleli"));
    for (const auto& name : others) ASSERT_NO_THROW(files().create(dir.file(name), "muu"));
    ASSERT_EQ(::mkdir(dir.file("Vozoraza.xml.tmp-Kaust1").c_str(), 0755), 0);
    ASSERT_EQ(::symlink(list.c_str(), dir.file("Vozoraza.xml.tmp-Viide1").c_str()), 0);

    const DataFileLock lock(list);
    ASSERT_TRUE(lock.holds());
    EXPECT_EQ(removeLeftoverTemporaries(list), 2);
    for (const auto& name : leftovers) EXPECT_FALSE(files().exists(dir.file(name))) << name;
    for (const auto& name : others) EXPECT_TRUE(files().exists(dir.file(name))) << name;
    EXPECT_TRUE(files().exists(dir.file("Vozoraza.xml.tmp-Kaust1")));
    EXPECT_TRUE(S_ISLNK(statOf(dir.file("Vozoraza.xml.tmp-Viide1")).st_mode));
    EXPECT_EQ(readFile(list), "loend");
}

TEST(ReadingFiles, AFifoOrDeviceIsRefusedNotReadForever) {
    TempDir dir;
    const std::string fifo = dir.file("Vozoraza.xml");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    EXPECT_THROW(files().read(fifo), StoreError);
    EXPECT_THROW(files().read("/dev/zero"), StoreError);
}

}  // namespace
}  // namespace store
