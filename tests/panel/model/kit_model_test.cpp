#include "panel/model/kit_model.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kq::panel {
namespace {

TEST(KitModel, CodesAndScalesFollowTheTable)
{
    for (int index = 0; index < kKitModelCount; ++index) {
        const KitModel &model = KitModelAt(index);
        EXPECT_EQ(model.index, index);
        EXPECT_EQ(KitModelIndexOf(model.code), index);
    }
    EXPECT_FALSE(KitModelIndexOf(QStringLiteral("TL-7")).has_value());

    const KitModel &tl3 = KitModelAt(2);
    EXPECT_DOUBLE_EQ(DisplayScaleX(tl3), 720.0 / 1890 - 0.002);
    EXPECT_DOUBLE_EQ(DisplayScaleY(tl3), 225.0 / 590 - 0.006);
    EXPECT_EQ(tl3.group, LayoutGroup::Wide);
    EXPECT_EQ(WindowBackground(tl3), QStringLiteral("Img/Panel/back2.jpg"));
}

TEST(KitModel, TextOfSize14OnTheFirstModelIsTenMillimetresHigh)
{
    EXPECT_EQ(std::lround(14 * 3 * TextFactor(KitModelAt(0))), 100);
}

TEST(KitModel, PicturesLiveInTheModelsMaterialFolder)
{
    const KitModel &tl6 = KitModelAt(5);
    EXPECT_EQ(PanelFramePicture(tl6), QStringLiteral("Img/Panel/TL-6.jpg"));
    EXPECT_EQ(DefaultBackground(tl6), QStringLiteral("Img/Material/TL-6/BackImage/1.gif"));
    EXPECT_EQ(FrameOverlay(tl6), QStringLiteral("Img/Material/TL-6/Back/TL-6.gif"));
    EXPECT_EQ(ProductPhoto(tl6), QStringLiteral("Img/Material/TL-6/Back/TL-6Com.bmp"));
    EXPECT_EQ(PartsFolder(tl6), QStringLiteral("Img/Material/TL-6/PartsImage"));
}

}  // namespace
}  // namespace kq::panel
