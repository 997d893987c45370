// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ChildProcess.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace cli {

namespace {

void closeBoth(int pipe[2]) {
    ::close(pipe[0]);
    ::close(pipe[1]);
}

// Only calls that are safe between fork and exec.
[[noreturn]] void execChild(char* const* args, pid_t parent, int input, int output) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent) ::_exit(127);
    ::dup2(input, STDIN_FILENO);
    ::dup2(output, STDOUT_FILENO);
    ::dup2(output, STDERR_FILENO);
    ::execvp(args[0], args);
    ::_exit(127);
}

}  // namespace

ChildResult runChild(const std::vector<std::string>& argv, const std::string& input, std::chrono::seconds timeout) {
    ChildResult result;
    int toChild[2];
    int fromChild[2];
    if (argv.empty() || ::pipe2(toChild, O_CLOEXEC) != 0) return result;
    if (::pipe2(fromChild, O_CLOEXEC) != 0) {
        closeBoth(toChild);
        return result;
    }
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    const pid_t parent = ::getpid();
    const pid_t child = ::fork();
    if (child == 0) execChild(args.data(), parent, toChild[0], fromChild[1]);
    ::close(toChild[0]);
    ::close(fromChild[1]);
    if (child < 0) {
        ::close(toChild[1]);
        ::close(fromChild[0]);
        return result;
    }
    result.started = true;

    // The input is small (a password, a few answers): it fits the pipe.
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction before {};
    ::sigaction(SIGPIPE, &ignore, &before);
    [[maybe_unused]] const ssize_t written = ::write(toChild[1], input.data(), input.size());
    ::close(toChild[1]);
    ::sigaction(SIGPIPE, &before, nullptr);

    const auto deadline = std::chrono::steady_clock::now() + timeout;
    char buffer[4096];
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            result.timedOut = true;
            ::kill(child, SIGKILL);
            break;
        }
        pollfd wait{fromChild[0], POLLIN, 0};
        const int ready = ::poll(&wait, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) continue;
        const ssize_t got = ::read(fromChild[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        result.output.append(buffer, static_cast<size_t>(got));
    }
    ::close(fromChild[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {}
    if (!result.timedOut && WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    if (result.exitCode == 127 && result.output.empty()) result.started = false;
    return result;
}

}  // namespace cli
