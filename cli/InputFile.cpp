#include "cli/InputFile.h"

#include <sys/stat.h>

#include "cli/CliError.h"

namespace cli {

namespace {

std::string sizeText(std::uint64_t bytes) {
    return bytes >= (std::uint64_t{1} << 30) ? std::to_string(bytes >> 30) + " GiB"
                                              : std::to_string(bytes >> 20) + " MiB";
}

}  // namespace

void checkInputFile(const std::string& path, std::uint64_t mostBytes) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return;
    if (!S_ISREG(info.st_mode)) throw CliError(path + " pole tavaline fail; seadmest või torust ei loeta.");
    if (static_cast<std::uint64_t>(info.st_size) > mostBytes)
        throw CliError(path + " on suurem kui " + sizeText(mostBytes) + "; nii suurt faili ei loeta.");
}

}  // namespace cli
