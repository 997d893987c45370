#include "DataFolder.h"

#include <string_view>

#include "DataFile.h"
#include "FileSystem.h"

namespace store {

namespace {

std::string_view withoutTrailingSlash(std::string_view folder) {
    while (folder.size() > 1 && folder.back() == '/') folder.remove_suffix(1);
    return folder;
}

}  // namespace

std::string chooseDataFolder(const FileSystem& files, const ListFolders& folders) {
    if (files.exists(dataFilePath(folders.program))) return folders.program;
    if (withoutTrailingSlash(folders.program) != withoutTrailingSlash(folders.installed)) return folders.program;
    return folders.user;
}

}  // namespace store
