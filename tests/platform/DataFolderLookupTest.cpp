#include "platform/DataFolderLookup.h"

#include <gtest/gtest.h>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdlib>

namespace platform {
namespace {

// Points the user's data folders ($XDG_DATA_HOME) at a temporary folder.
class DataFolderLookup : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit().constData(), 1); }
    void TearDown() override { ::unsetenv("XDG_DATA_HOME"); }

    QTemporaryDir dataHome;
};

TEST_F(DataFolderLookup, TheInstalledProgramsListLivesInTheUsersFolderMadeForIt) {
    if (QFileInfo::exists(installedFolder() + QStringLiteral("/Vozoraza.xml")))
        GTEST_SKIP() << "a list lies in " << installedFolder().toStdString() << " already";
    const QString expected = dataHome.path() + QStringLiteral("/Tarvalind/Zerizedozi");
    EXPECT_EQ(dataFolder(installedFolder()), expected);
    EXPECT_TRUE(QFileInfo(expected).isDir());
}

TEST_F(DataFolderLookup, ABuildFolderKeepsItsListAndMakesNothingForTheUser) {
    QTemporaryDir build;
    EXPECT_EQ(dataFolder(build.path()), build.path());
    EXPECT_FALSE(QFileInfo::exists(dataHome.path() + QStringLiteral("/Tarvalind")));
}

}  // namespace
}  // namespace platform
