// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/OutputFile.h"

#include "cli/CliError.h"
#include "store/ErrorTexts.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

void writeOutputFile(const std::string& path, std::string_view text, const std::string& dataFile) {
    if (sameFile(path, dataFile))
        throw CliError("Väljundfail " + quotedPath(path) + " on andmefail ise; sinna ei kirjutata.");
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    int error = fd < 0 ? errno : 0;
    while (error == 0 && !text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0 && errno != EINTR) error = errno;
        if (written > 0) text.remove_prefix(static_cast<size_t>(written));
    }
    if (fd >= 0 && ::close(fd) != 0 && error == 0) error = errno;
    if (error != 0) throw CliError("Faili " + quotedPath(path) + " ei saa kirjutada: " + systemErrorText(error) + ".");
}

}  // namespace cli
