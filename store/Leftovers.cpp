#include "store/Leftovers.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string_view>

namespace store {

namespace {

// "<base>.tmp-" and the six characters mkstemp fills in.
bool isTemporaryOf(std::string_view name, std::string_view base) {
    constexpr std::string_view kMark = ".tmp-";
    constexpr size_t kRandomLength = 6;
    if (name.size() != base.size() + kMark.size() + kRandomLength || !name.starts_with(base) ||
        name.substr(base.size(), kMark.size()) != kMark)
        return false;
    const std::string_view random = name.substr(base.size() + kMark.size());
    return std::all_of(random.begin(), random.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
}

}  // namespace

int removeLeftoverTemporaries(const std::string& dataFile) {
    const size_t slash = dataFile.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : dataFile.substr(0, slash);
    const std::string base = slash == std::string::npos ? dataFile : dataFile.substr(slash + 1);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return 0;
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (!isTemporaryOf(entry->d_name, base)) continue;
        struct stat info {};
        if (::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode)) continue;
        if (::unlinkat(::dirfd(dir), entry->d_name, 0) == 0) ++removed;
    }
    ::closedir(dir);
    return removed;
}

}  // namespace store
