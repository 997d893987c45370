// SPDX-License-Identifier: GPL-3.0-or-later
// What the program asks the operating system about its own process. This is
// Linux's implementation (the kernel's /proc and glibc's allocator); a port
// to another system gives these two functions a file of its own.
#pragma once

#include <string>

namespace platform {

// The folder of the running executable, with links resolved; empty when the
// system cannot tell.
std::string executableFolder();

// Large blocks (a data file read whole, sort keys) go back to the system as
// soon as they are freed, instead of raising the heap's threshold after the
// first one and lingering in it. Call before the first large allocation.
void returnLargeBlocksToSystem();

}  // namespace platform
