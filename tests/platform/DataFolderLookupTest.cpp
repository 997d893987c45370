// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DataFolderLookup.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace platform {
namespace {

namespace fs = std::filesystem;

// A home folder, the user's data folders ($XDG_DATA_HOME) in it, and an
// install under a prefix of its own: bin/ beside share/ with the desktop
// entry, as `cmake --install --prefix` lays them out.
class DataFolderLookup : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("HOME", home.path().c_str(), 1);
        ::setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
        fs::create_directories(installedBin);
        fs::create_directories(prefix + "/share/applications");
        writeFile(prefix + "/share/applications/ee.tarvalind.Zerizedozi.desktop", "");
    }
    void TearDown() override {
        ::unsetenv("XDG_DATA_HOME");
        if (savedHome) ::setenv("HOME", savedHome->c_str(), 1);
    }

    TempDir home;
    const std::string dataHome = home.file("data");
    const std::string usersFile = dataHome + "/Tarvalind/Zerizedozi/Vozoraza.xml";
    const std::string prefix = home.file("opt/zerizedozi");
    const std::string installedBin = prefix + "/bin";
    const std::optional<std::string> savedHome =
        std::getenv("HOME") ? std::optional<std::string>(std::getenv("HOME")) : std::nullopt;
};

TEST_F(DataFolderLookup, AnInstallUnderAnyPrefixKeepsTheListInTheUsersFolder) {
    EXPECT_EQ(dataFileFor(installedBin), usersFile);
    EXPECT_EQ(dataFileFor({}), usersFile);
    EXPECT_FALSE(fs::exists(dataHome)) << "a lookup makes nothing";
    makeDataFileFolder(usersFile);
    EXPECT_TRUE(fs::is_directory(fs::path(usersFile).parent_path()));
}

TEST_F(DataFolderLookup, ABuildOrCopiedProgramKeepsItsListBesideItself) {
    const TempDir build;
    const std::string besideInstall = prefix + "/bin/app";
    fs::create_directories(besideInstall);
    for (const std::string& folder : {build.path(), prefix, besideInstall})
        EXPECT_EQ(dataFileFor(folder), folder + "/Vozoraza.xml");
    EXPECT_FALSE(fs::exists(dataHome));
}

TEST_F(DataFolderLookup, WithoutAnAbsoluteDataHomeTheListIsInTheHomeFolder) {
    const std::string inHome = home.path() + "/.local/share/Tarvalind/Zerizedozi/Vozoraza.xml";
    for (const char* dataHomeValue : {"relative/data", ""}) {
        ::setenv("XDG_DATA_HOME", dataHomeValue, 1);
        EXPECT_EQ(dataFileFor(installedBin), inHome) << '"' << dataHomeValue << '"';
    }
    ::unsetenv("XDG_DATA_HOME");
    ::setenv("HOME", (home.path() + "/").c_str(), 1);
    EXPECT_EQ(dataFileFor(installedBin), inHome);
}

}  // namespace
}  // namespace platform
