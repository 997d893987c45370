// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Process.h"

#include <filesystem>
#include <malloc.h>
#include <system_error>

namespace platform {

std::string executableFolder() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !executable.is_absolute()) return {};
    return executable.parent_path().string();
}

void returnLargeBlocksToSystem() { mallopt(M_MMAP_THRESHOLD, 128 * 1024); }

}  // namespace platform
