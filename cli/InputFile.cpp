// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/InputFile.h"

#include "cli/CliError.h"
#include "store/ErrorTexts.h"

#include <cerrno>
#include <sys/stat.h>

namespace cli {

using store::quotedPath;
using store::systemErrorText;

namespace {

std::string sizeText(std::uint64_t bytes) {
    return bytes >= (std::uint64_t{1} << 30) ? std::to_string(bytes >> 30) + " GiB"
                                             : std::to_string(bytes >> 20) + " MiB";
}

}  // namespace

void checkInputFile(const std::string& path, std::uint64_t mostBytes) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return;
    if (S_ISDIR(info.st_mode))
        throw CliError("Faili " + quotedPath(path) + " ei saa lugeda: " + systemErrorText(EISDIR) + ".");
    if (!S_ISREG(info.st_mode))
        throw CliError("Faili " + quotedPath(path) + " ei loeta: see pole tavaline fail (seade või toru).");
    if (static_cast<std::uint64_t>(info.st_size) > mostBytes)
        throw CliError("Faili " + quotedPath(path) + " ei loeta: see on suurem kui " + sizeText(mostBytes) + ".");
}

}  // namespace cli
