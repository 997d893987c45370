// SPDX-License-Identifier: GPL-3.0-or-later
// Parts of a program kept in shared modules of their own and loaded when
// first needed, so that whatever does without them starts without the
// libraries they need. A module lies in the program's module folder, which
// is at the same place relative to the executable as built and as
// installed; a module once loaded stays for the life of the process.
#pragma once

#include <string>

namespace platform {

// Where the module `name` (such as "zerizedozi-calendar") is looked for.
std::string modulePath(const std::string& name);

// The address of `entry` in the module `name`; nullptr when the module
// cannot be loaded or has no such entry.
void* moduleEntry(const std::string& name, const char* entry);

}  // namespace platform
