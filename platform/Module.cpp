// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Module.h"

#include "platform/Process.h"

#include <dlfcn.h>
#include <filesystem>

namespace platform {

std::string modulePath(const std::string& name) {
    const std::filesystem::path path = executableFolder() + "/" ZERIZEDOZI_MODULE_FOLDER "/" + name + ".so";
    return path.lexically_normal().string();
}

void* moduleEntry(const std::string& name, const char* entry) {
    void* module = ::dlopen(modulePath(name).c_str(), RTLD_NOW | RTLD_LOCAL);
    return module ? ::dlsym(module, entry) : nullptr;
}

}  // namespace platform
