// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/OutputFile.h"

#include "cli/CliError.h"
#include "store/ErrorTexts.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace cli {

using store::quotedPath;
using store::systemErrorText;

namespace {

bool sameFile(const std::string& a, const std::string& b) {
    struct stat x {
    }, y{};
    return ::stat(a.c_str(), &x) == 0 && ::stat(b.c_str(), &y) == 0 && x.st_dev == y.st_dev && x.st_ino == y.st_ino;
}

}  // namespace

OutputFile::OutputFile(const std::string& path, const std::string& dataFile) : path_(path) {
    if (sameFile(path, dataFile))
        throw CliError("Väljundfail " + quotedPath(path) + " on andmefail ise; sinna ei kirjutata.");
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0) fail(errno);
}

OutputFile::~OutputFile() {
    if (fd_ >= 0) ::close(fd_);
}

void OutputFile::write(std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd_, text.data(), text.size());
        if (written < 0 && errno != EINTR) fail(errno);
        if (written > 0) text.remove_prefix(static_cast<size_t>(written));
    }
}

void OutputFile::close() {
    const int fd = std::exchange(fd_, -1);
    if (::close(fd) != 0) fail(errno);
}

void OutputFile::fail(int error) const {
    throw CliError("Faili " + quotedPath(path_) + " ei saa kirjutada: " + systemErrorText(error) + ".");
}

}  // namespace cli
