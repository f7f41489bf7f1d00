#include "panel/menu/product_page.h"
#include "panel/model/kit_model.h"
#include "support/filled_image.h"

#include <gtest/gtest.h>

namespace kq::panel {
namespace {

using kq::testing::FilledImage;

// A photo of the finished clock: black (see-through) where the panel goes,
// grey around it.
QImage Photo(const KitModel &model, const QRect &window)
{
    QImage photo = FilledImage(model.sheetSize, Qt::gray);
    for (int y = window.top(); y <= window.bottom(); ++y)
        for (int x = window.left(); x <= window.right(); ++x)
            photo.setPixelColor(x, y, Qt::black);
    return photo;
}

TEST(ProductPage, EmptyPanelIsScaledIntoTheProductPhoto)
{
    const KitModel &tl1 = KitModelAt(0);
    const QImage panel = FilledImage(tl1.panelSize, Qt::blue);  // a plain background and no layers
    const QRect window(40, 80, 400, 500);
    const QImage page = ProductPageImage(tl1, panel, Photo(tl1, window));
    ASSERT_EQ(page.size(), QSize(860, 1060));
    ASSERT_EQ(page.format(), QImage::Format_RGB32);
    // round(860 * 0.323) = 278, round(1060 * 0.323) = 342, at 64, 103.
    EXPECT_EQ(page.pixelColor(64, 103), QColor(Qt::blue));
    EXPECT_EQ(page.pixelColor(64 + 277, 103 + 341), QColor(Qt::blue));
    EXPECT_EQ(page.pixelColor(64 + 278, 103 + 100), QColor(Qt::white));
    EXPECT_EQ(page.pixelColor(64 + 100, 103 + 342), QColor(Qt::white));
    EXPECT_EQ(page.pixelColor(63, 103), QColor(Qt::white));
    // The photo covers everything but its black window.
    EXPECT_EQ(page.pixelColor(10, 10), QColor(Qt::gray));
    EXPECT_EQ(page.pixelColor(64 + 100, 600), QColor(Qt::gray));
}

TEST(ProductPage, TurnedModelsTurnTheirPanelClockwise)
{
    const KitModel &tl6 = KitModelAt(5);  // 2 degrees
    // A panel with a red top-left quarter shows whether the turn goes clockwise.
    QImage panel = FilledImage(tl6.panelSize, Qt::blue);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            panel.setPixelColor(x, y, Qt::red);
    const QImage page = ProductPageImage(tl6, panel, QImage());
    ASSERT_EQ(page.size(), QSize(825, 884));
    // Scaled 233 x 250; turned clockwise the left edge leans left going
    // down, so the panel's top-left corner sits 9 px right of the box's and
    // its bottom-right corner about 258 px down.
    const QPoint at = tl6.productPosition;
    EXPECT_EQ(page.pixelColor(at + QPoint(116, 129)), QColor(Qt::blue));
    EXPECT_EQ(page.pixelColor(at + QPoint(2, 2)), QColor(Qt::white));
    EXPECT_EQ(page.pixelColor(at + QPoint(14, 4)), QColor(Qt::red));
    EXPECT_EQ(page.pixelColor(at + QPoint(240, 255)), QColor(Qt::white));
    EXPECT_EQ(page.pixelColor(at + QPoint(225, 250)), QColor(Qt::blue));
}

TEST(ProductPage, MissingPanelLeavesTheSheetWithThePhoto)
{
    const KitModel &tl3 = KitModelAt(2);
    const QImage page = ProductPageImage(tl3, QImage(), Photo(tl3, {100, 40, 600, 200}));
    EXPECT_EQ(page.pixelColor(0, 0), QColor(Qt::gray));
    EXPECT_EQ(page.pixelColor(300, 100), QColor(Qt::white));
}

}  // namespace
}  // namespace kq::panel
