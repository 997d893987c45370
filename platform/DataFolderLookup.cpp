// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DataFolderLookup.h"

#include "platform/Process.h"
#include "store/DataFile.h"
#include "store/DataFolder.h"
#include "store/FileSystem.h"
#include "store/ProgramName.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace platform {

namespace {

bool installedLayoutAround(const std::string& programFolder) {
    std::error_code error;
    return std::filesystem::exists(programFolder + "/" ZERIZEDOZI_INSTALLED_DESKTOP_ENTRY, error);
}

std::string absoluteVariable(const char* name) {
    const char* value = std::getenv(name);
    return value && value[0] == '/' ? value : std::string();
}

std::string withoutEndSlashes(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

}  // namespace

std::string xdgFolder(const char* variable, const char* underHome) {
    if (std::string folder = absoluteVariable(variable); !folder.empty()) return withoutEndSlashes(folder);
    const std::string home = withoutEndSlashes(absoluteVariable("HOME"));
    return (home == "/" ? std::string() : home) + "/" + underHome;
}

std::string usersFolder() {
    return xdgFolder("XDG_DATA_HOME", ".local/share") + "/" + std::string(store::kMakerName) + "/" +
           std::string(store::kProgramName);
}

std::string dataFileFor(const std::string& programFolder) {
    const bool installed = programFolder.empty() || installedLayoutAround(programFolder);
    const store::ListFolders folders{programFolder, installed, usersFolder()};
    return store::dataFilePath(store::chooseDataFolder(store::PosixFileSystem::instance(), folders));
}

std::string usersDataFile() { return dataFileFor({}); }

std::string programDataFile() { return dataFileFor(executableFolder()); }

void makeDataFileFolder(const std::string& dataFile) {
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(dataFile).parent_path(), ignored);
}

}  // namespace platform
