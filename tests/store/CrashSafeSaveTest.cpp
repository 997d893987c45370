// SPDX-License-Identifier: GPL-3.0-or-later
// Saving the data file when the program dies in the middle of it, and when the
// disk is full: the data file is always the whole old table or the whole new
// one. Stray temporary files may stay behind; the data file never breaks.
#include "store/ClientDataSet.h"
#include "store/DataFile.h"
#include "store/DataPacket.h"
#include "store/FileSystem.h"
#include "store/StoreError.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <random>
#include <sched.h>
#include <signal.h>
#include <stdexcept>
#include <string>
#include <sys/mount.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace store {
namespace {

using SteadyClock = std::chrono::steady_clock;
using Micros = std::chrono::microseconds;

std::vector<EventRow> table(int count, std::string_view family) {
    std::vector<EventRow> rows(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const int year = 1900 + i % 127;
        const int month = i % 12 + 1;
        const int day = i % 28 + 1;
        EventRow& row = rows[static_cast<size_t>(i)];
        row.nimi = "Õie-Žüli " + std::string(family) + " " + std::to_string(i);
        row.paev = static_cast<std::int16_t>(day);
        row.kuu = static_cast<std::int16_t>(month);
        if (i % 7 != 0) row.aasta = year;
        row.tyyp = std::string(1, "STNMS"[i % 5]);
        row.kuup = Date{year, month, day};
    }
    return rows;
}

// The files of `folder` other than `keep`, removed; returns how many there were.
int removeAllBut(const std::string& folder, const std::string& keep) {
    int removed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path() == keep) continue;
        std::filesystem::remove(entry.path());
        ++removed;
    }
    return removed;
}

Micros timeOf(const std::function<void()>& work) {
    const auto start = SteadyClock::now();
    work();
    return std::chrono::duration_cast<Micros>(SteadyClock::now() - start);
}

// The real file system; it tells a watcher through a pipe when a replace
// begins.
class AnnouncingFileSystem final : public PosixFileSystem {
public:
    int announceTo = -1;

    void replace(const std::string& path, std::string_view content) override {
        if (announceTo >= 0) {
            const char begins = 1;
            if (::write(announceTo, &begins, 1) != 1) throw WriteError(path, errno);
        }
        PosixFileSystem::replace(path, content);
    }
};

enum class Ending { Finished, Killed, Failed };

class KilledWhileSaving : public ::testing::Test {
protected:
    // Runs `save` in a child process. With `killAfter`, sends the child
    // SIGKILL that long after its replace of the data file began. Returns how
    // the child ended.
    Ending runInChild(const std::function<void()>& save, std::optional<Micros> killAfter = std::nullopt) {
        int announcements[2];
        if (::pipe(announcements) != 0) throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
        const pid_t child = ::fork();
        if (child < 0) throw std::runtime_error(std::string("fork: ") + std::strerror(errno));
        if (child == 0) {
            ::close(announcements[0]);
            files.announceTo = announcements[1];
            try {
                save();
            } catch (...) {
                ::_exit(1);
            }
            ::_exit(0);
        }
        ::close(announcements[1]);
        char begins = 0;
        ssize_t got;
        while ((got = ::read(announcements[0], &begins, 1)) < 0 && errno == EINTR) {}
        ::close(announcements[0]);
        if (killAfter && got == 1) {
            std::this_thread::sleep_for(*killAfter);
            ::kill(child, SIGKILL);
        }
        int status = 0;
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {}
        if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) return Ending::Killed;
        return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? Ending::Finished : Ending::Failed;
    }

    // Kills `kills` children that run `save` on the data file holding `old`,
    // at random moments from the start of their replace of the file to a
    // little past the time such a replace takes; a finished `save` leaves
    // `next`. After each kill the file must be `old` or `next`.
    void killWhileSaving(int kills, const std::string& old, const std::string& next,
                         const std::function<void()>& save) {
        Micros writing = Micros::max();
        for (int i = 0; i < 3; ++i) {
            files.replace(path, old);
            writing = std::min(writing, timeOf([&] { files.replace(path, next); }));
        }
        files.replace(path, old);
        ASSERT_EQ(runInChild(save), Ending::Finished);
        ASSERT_EQ(files.read(path), next);

        std::string found = next;
        std::mt19937 random(std::random_device{}());
        std::uniform_int_distribution<long> delay(0, writing.count() * 5 / 4);
        int killedWhileWriting = 0;
        for (int i = 0; i < kills; ++i) {
            if (found != old) files.replace(path, old);
            const Micros wait(delay(random));
            SCOPED_TRACE("kill " + std::to_string(i) + " after " + std::to_string(wait.count()) + " µs of " +
                         std::to_string(writing.count()));
            ASSERT_NE(runInChild(save, wait), Ending::Failed);
            found = files.read(path);
            ASSERT_TRUE(found == old || found == next)
                << "the data file holds " << found.size() << " bytes, neither the old " << old.size() << " nor the new "
                << next.size();
            if (removeAllBut(dir.path(), path) > 0) ++killedWhileWriting;
        }
        // A temporary file left behind shows that the kill came in the middle
        // of writing; without any, nothing has been tested.
        EXPECT_GT(killedWhileWriting, 0) << "no kill came while the file was being written";
    }

    TempDir dir;
    std::string path = dataFilePath(dir.path());
    AnnouncingFileSystem files;
};

TEST_F(KilledWhileSaving, TheDataFileIsTheWholeOldOrTheWholeNewTable) {
    const std::string old = writeDataPacket(table(200'000, "Õunapuu"));
    const std::string next = writeDataPacket(table(200'001, "Šmidt"));
    ASSERT_EQ(readDataPacket(old).size(), 200'000u);
    ASSERT_EQ(readDataPacket(next).size(), 200'001u);
    killWhileSaving(30, old, next, [&] { files.replace(path, next); });
}

TEST_F(KilledWhileSaving, ClosingAChangedStoreWritesAllOrNothing) {
    std::vector<EventRow> rows = table(50'000, "Õunapuu");
    const std::string old = writeDataPacket(rows);
    files.replace(path, old);
    ClientDataSet data(files);
    data.setFileName(path);
    data.open();
    ASSERT_EQ(data.current(), rows[0]);
    rows[0].nimi = "Muudetud Žanna";
    const std::string next = writeDataPacket(rows);

    killWhileSaving(10, old, next, [&] {
        data.edit();
        data.setFieldText("Nimi", "Muudetud Žanna");
        data.post();
        data.close();
    });
}

// A 1 MiB tmpfs over a folder for the life of the object. It is mounted in
// a mount namespace of the test process's own, so that it also goes away when
// the process dies first.
class SmallDisk {
public:
    explicit SmallDisk(std::string folder) : folder_(std::move(folder)) {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", folder_.c_str(), "tmpfs", 0, "size=1M") != 0)
            error_ = errno;
    }
    ~SmallDisk() {
        if (error_ == 0) ::umount2(folder_.c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    int error() const { return error_; }

private:
    std::string folder_;
    int error_ = 0;
};

TEST(FullDisk, LeavesTheOldFileAsItWasAndReportsTheFailure) {
    TempDir dir;
    SmallDisk disk(dir.path());
    if (disk.error() != 0) GTEST_SKIP() << "cannot mount a small tmpfs here: " << std::strerror(disk.error());
    const std::string path = dataFilePath(dir.path());
    PosixFileSystem& files = PosixFileSystem::instance();

    // The old file takes over half the disk: a new copy of the same size
    // would fit alone, but not next to it.
    std::vector<EventRow> rows = table(6'500, "Õunapuu");
    const std::string old = writeDataPacket(rows);
    ASSERT_LT(old.size(), 1u << 20);
    ASSERT_GT(old.size(), 1u << 19);
    files.replace(path, old);
    rows[0].nimi = "Muudetud Žanna";
    const std::string changed = writeDataPacket(rows);

    try {
        files.replace(path, changed);
        ADD_FAILURE() << "the file was written on a full disk";
    } catch (const WriteError& error) {
        EXPECT_EQ(error.path(), path);
        EXPECT_EQ(error.reason(), std::strerror(ENOSPC));
    }
    EXPECT_EQ(readFile(path), old);
    EXPECT_EQ(removeAllBut(dir.path(), path), 0) << "the partial new file stays on the full disk";

    ClientDataSet data(files);
    data.setFileName(path);
    data.open();
    data.edit();
    data.setFieldText("Nimi", "Muudetud Žanna");
    data.post();
    EXPECT_THROW(data.close(), WriteError);
    EXPECT_TRUE(data.active());
    EXPECT_TRUE(data.changed());
    EXPECT_EQ(data.allRows(), rows);
    EXPECT_EQ(readFile(path), old);
    EXPECT_EQ(removeAllBut(dir.path(), path), 0);
}

}  // namespace
}  // namespace store
