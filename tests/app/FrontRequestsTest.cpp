// SPDX-License-Identifier: GPL-3.0-or-later
// The single-instance socket against other users: where it lies without a
// desktop runtime folder, who may answer on it, and how much is taken in.
#include "app/FrontRequests.h"
#include "tests/support/TempDir.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <signal.h>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uid_t kNobody = 65534;

// The environment of one test: no runtime folder, and a temporary folder of
// its own.
class FrontRequests : public ::testing::Test {
protected:
    FrontRequests() {
        if (const char* runtime = std::getenv("XDG_RUNTIME_DIR")) runtime_ = runtime;
        ::unsetenv("XDG_RUNTIME_DIR");
        ::setenv("TMPDIR", temp_.path().c_str(), 1);
    }
    ~FrontRequests() override {
        ::unsetenv("TMPDIR");
        if (!runtime_.empty()) ::setenv("XDG_RUNTIME_DIR", runtime_.c_str(), 1);
    }

    QString list() const { return QString::fromStdString(temp_.file("Vozoraza.xml")); }
    std::string ownFolder() const { return temp_.file("zerizedozi-" + std::to_string(::getuid())); }

    TempDir temp_;
    std::string runtime_;
};

TEST_F(FrontRequests, WithoutARuntimeFolderTheSocketLiesInAPrivateFolderOrNowhere) {
    const QString socket = app::frontRequestSocket(list());
    EXPECT_EQ(QFileInfo(socket).absolutePath().toStdString(), ownFolder());
    struct stat folder {};
    ASSERT_EQ(::lstat(ownFolder().c_str(), &folder), 0);
    EXPECT_EQ(folder.st_mode & 0777, 0700u);

    ASSERT_EQ(::chmod(ownFolder().c_str(), 0755), 0);
    EXPECT_TRUE(app::frontRequestSocket(list()).isEmpty());
    ASSERT_EQ(::rmdir(ownFolder().c_str()), 0);
    ASSERT_EQ(::symlink(temp_.path().c_str(), ownFolder().c_str()), 0);
    EXPECT_TRUE(app::frontRequestSocket(list()).isEmpty());

    ::setenv("XDG_RUNTIME_DIR", temp_.path().c_str(), 1);  // mkdtemp's folder: 0700
    EXPECT_EQ(QFileInfo(app::frontRequestSocket(list())).absolutePath().toStdString(), temp_.path());
    ASSERT_EQ(::chmod(temp_.path().c_str(), 0777), 0);
    EXPECT_TRUE(app::frontRequestSocket(list()).isEmpty());
}

// A server bound at `path` that runs as `user` from listen() on. It reads
// the question and answers "yes\n"; when flooding, it goes on writing as
// much as it can, and its exit status is 0 when the asker took in less than
// a megabyte.
pid_t answeringServer(const std::string& path, uid_t user, bool flooding) {
    const pid_t child = ::fork();
    if (child != 0) return child;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) ::_exit(2);
    if (user != ::getuid() && (::setgid(user) != 0 || ::setuid(user) != 0)) ::_exit(2);
    ::listen(fd, 1);
    const int peer = ::accept(fd, nullptr, nullptr);
    char question[16];
    (void)::read(peer, question, sizeof question);
    ::signal(SIGPIPE, SIG_IGN);
    const std::string chunk = "yes\n" + std::string(flooding ? 65536 : 0, 'y');
    size_t sent = 0;
    for (ssize_t wrote;
         sent < (flooding ? size_t{64} << 20 : 1) && (wrote = ::write(peer, chunk.data(), chunk.size())) > 0;)
        sent += static_cast<size_t>(wrote);
    if (!flooding) ::pause();
    ::_exit(sent < (size_t{1} << 20) ? 0 : 1);
}

int exitStatusOf(pid_t child) {
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(FrontRequests, TheAskerHearsOnlyItsOwnUserAndOnlyAFewBytes) {
    const std::string socket = app::frontRequestSocket(list()).toStdString();
    ASSERT_FALSE(socket.empty());
    const pid_t flooding = answeringServer(socket, ::getuid(), true);
    ::usleep(100'000);
    EXPECT_FALSE(app::askWindowToFront(list(), std::chrono::milliseconds(2000)));
    EXPECT_EQ(exitStatusOf(flooding), 0) << "the asker read on";
    ::unlink(socket.c_str());

    if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
    const pid_t stranger = answeringServer(socket, kNobody, false);
    ::usleep(100'000);
    EXPECT_FALSE(app::askWindowToFront(list(), std::chrono::milliseconds(2000))) << "another user answered";
    ::kill(stranger, SIGKILL);
    exitStatusOf(stranger);
}

}  // namespace
