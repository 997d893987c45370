// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/Leftovers.h"

#include "store/FileSystem.h"

namespace store {

int removeLeftoverTemporaries(const std::string& dataFile, FileSystem& files) {
    const std::string folder = folderOf(dataFile);
    const std::string_view base = fileNameOf(dataFile);
    int removed = 0;
    for (const std::string& name : files.namesIn(folder)) {
        if (!isTemporaryOf(name, base)) continue;
        std::string path = folder;
        path += '/';
        path += name;
        if (files.removeRegularFile(path)) ++removed;
    }
    return removed;
}

}  // namespace store
