// SPDX-License-Identifier: GPL-3.0-or-later
#include "DataFolder.h"

#include "DataFile.h"
#include "FileSystem.h"

namespace store {

std::string chooseDataFolder(const FileSystem& files, const ListFolders& folders) {
    if (folders.program.empty()) return folders.user;
    if (files.exists(dataFilePath(folders.program)) || !folders.installed) return folders.program;
    return folders.user;
}

}  // namespace store
