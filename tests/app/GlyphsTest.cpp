#include "app/Glyphs.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace app
