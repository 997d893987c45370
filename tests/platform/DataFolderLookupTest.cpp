// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DataFolderLookup.h"
#include "tests/support/QtPrinters.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace platform {
namespace {

// A home folder, the user's data folders ($XDG_DATA_HOME) in it, and an
// install under a prefix of its own: bin/ beside share/ with the desktop
// entry, as `cmake --install --prefix` lays them out.
class DataFolderLookup : public ::testing::Test {
protected:
    void SetUp() override {
        QCoreApplication::setOrganizationName(QStringLiteral("Tarvalind"));
        QCoreApplication::setApplicationName(QStringLiteral("Zerizedozi"));
        ::setenv("HOME", qPrintable(home.path()), 1);
        ::setenv("XDG_DATA_HOME", qPrintable(dataHome), 1);
        QDir().mkpath(installedBin);
        QDir().mkpath(prefix + QStringLiteral("/share/applications"));
        QFile entry(prefix + QStringLiteral("/share/applications/ee.tarvalind.Zerizedozi.desktop"));
        ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
    }
    void TearDown() override {
        ::unsetenv("XDG_DATA_HOME");
        if (savedHome) ::setenv("HOME", savedHome->c_str(), 1);
    }

    QTemporaryDir home;
    const QString dataHome = home.path() + QStringLiteral("/data");
    const QString usersFile = dataHome + QStringLiteral("/Tarvalind/Zerizedozi/Vozoraza.xml");
    const QString prefix = home.path() + QStringLiteral("/opt/zerizedozi");
    const QString installedBin = prefix + QStringLiteral("/bin");
    const std::optional<std::string> savedHome =
        std::getenv("HOME") ? std::optional<std::string>(std::getenv("HOME")) : std::nullopt;
};

TEST_F(DataFolderLookup, AnInstallUnderAnyPrefixKeepsTheListInTheUsersFolder) {
    EXPECT_EQ(dataFileFor(installedBin), usersFile);
    EXPECT_EQ(dataFileFor(QString()), usersFile);
    EXPECT_FALSE(QFileInfo::exists(dataHome)) << "a lookup makes nothing";
    makeDataFileFolder(usersFile);
    EXPECT_TRUE(QFileInfo(QFileInfo(usersFile).path()).isDir());
}

TEST_F(DataFolderLookup, ABuildOrCopiedProgramKeepsItsListBesideItself) {
    QTemporaryDir build;
    const QString besideInstall = prefix + QStringLiteral("/bin/app");
    QDir().mkpath(besideInstall);
    for (const QString& folder : {build.path(), prefix, besideInstall})
        EXPECT_EQ(dataFileFor(folder), folder + QStringLiteral("/Vozoraza.xml"));
    EXPECT_FALSE(QFileInfo::exists(dataHome));
}

TEST_F(DataFolderLookup, ARelativeDataHomeIsIgnored) {
    ::setenv("XDG_DATA_HOME", "relative/data", 1);
    EXPECT_EQ(dataFileFor(installedBin),
              home.path() + QStringLiteral("/.local/share/Tarvalind/Zerizedozi/Vozoraza.xml"));
}

}  // namespace
}  // namespace platform
