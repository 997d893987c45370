#include "app/Glyphs.h"

#include <gtest/gtest.h>
#include <QImage>

namespace app {
namespace {

TEST(Glyphs, HaveTheirToolbarAndIconSizes) {
    EXPECT_EQ(glyphLisa().size(), QSize(25, 25));
    EXPECT_EQ(glyphMuuda().size(), QSize(25, 25));
    EXPECT_EQ(glyphKustuta().size(), QSize(25, 25));
    EXPECT_EQ(glyphTryki().size(), QSize(26, 26));
    const QList<QSize> iconSizes = mainIcon().availableSizes();
    EXPECT_TRUE(iconSizes.contains(QSize(32, 32)));
    EXPECT_TRUE(iconSizes.contains(QSize(16, 16)));
}

TEST(Glyphs, TheInstalledIconFilesShowTheWindowsIcon) {
    for (const int size : {16, 32}) {
        const QString file = QStringLiteral(ZERIZEDOZI_ICON_FOLDER "/%1x%1/apps/ee.tarvalind.Zerizedozi.png").arg(size);
        const QImage installed(file);
        ASSERT_FALSE(installed.isNull()) << file.toStdString();
        const QImage window = mainIcon().pixmap(size).toImage();
        EXPECT_TRUE(installed.convertToFormat(QImage::Format_ARGB32) == window.convertToFormat(QImage::Format_ARGB32))
            << "the " << size << "-pixel icon file differs from the window's icon";
    }
}

}  // namespace
}  // namespace app
