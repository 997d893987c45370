// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/DataFile.h"
#include "store/DataFolder.h"
#include "store/FileSystem.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace store {
namespace {

// A build folder, an installed program's folder and a user's data folder
// (not yet made), all under one temporary folder.
class DataFolderRule : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(build);
        std::filesystem::create_directories(installed);
    }
    std::string choose(const std::string& program) const {
        return chooseDataFolder(PosixFileSystem::instance(), {program, program == installed, user});
    }

    TempDir dir;
    const std::string build = dir.file("build/app");
    const std::string installed = dir.file("usr/bin");
    const std::string user = dir.file("home/.local/share/Tarvalind/Zerizedozi");
};

TEST_F(DataFolderRule, ABuildOrCopiedProgramKeepsItsListBesideItself) {
    EXPECT_EQ(choose(build), build);
    writeFile(dataFilePath(build), "list");
    EXPECT_EQ(choose(build), build);
}

TEST_F(DataFolderRule, AnInstalledProgramKeepsTheListInTheUsersFolder) { EXPECT_EQ(choose(installed), user); }

TEST_F(DataFolderRule, AListAlreadyBesideTheInstalledProgramIsUsed) {
    writeFile(dataFilePath(installed), "list");
    EXPECT_EQ(choose(installed), installed);
}

TEST_F(DataFolderRule, AProgramWhoseFolderIsUnknownUsesTheUsersFolder) {
    EXPECT_EQ(chooseDataFolder(PosixFileSystem::instance(), {"", false, user}), user);
}

}  // namespace
}  // namespace store
