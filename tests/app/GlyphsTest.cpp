// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Glyphs.h"

#include <QImage>

#include <gtest/gtest.h>

namespace app {
namespace {

// The share of a picture's pixels that are neither white nor transparent.
double drawnShare(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    int drawn = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            drawn += qAlpha(image.pixel(x, y)) != 0 && image.pixel(x, y) != qRgb(255, 255, 255);
    return static_cast<double>(drawn) / (image.width() * image.height());
}

TEST(Glyphs, HaveTheirSizesAndEachShowsAPictureOfItsOwn) {
    const QImage glyphs[] = {glyphLisa().toImage(), glyphMuuda().toImage(), glyphKustuta().toImage(),
                             glyphTryki().toImage()};
    for (size_t i = 0; i < std::size(glyphs); ++i) {
        EXPECT_EQ(glyphs[i].size(), i == 3 ? QSize(26, 26) : QSize(25, 25)) << "glyph " << i;
        EXPECT_GT(drawnShare(glyphs[i]), 0.2) << "glyph " << i << " is (nearly) blank";
        for (size_t j = 0; j < i; ++j) EXPECT_NE(glyphs[i], glyphs[j]) << "glyphs " << j << " and " << i;
    }
    const QList<QSize> iconSizes = mainIcon().availableSizes();
    EXPECT_TRUE(iconSizes.contains(QSize(32, 32)));
    EXPECT_TRUE(iconSizes.contains(QSize(16, 16)));
    for (const int size : {16, 32}) EXPECT_GT(drawnShare(mainIcon().pixmap(size).toImage()), 0.4) << size;
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
