#include "panel/menu/panel_printing.h"
#include "panel/menu/part_position.h"
#include "panel/model/kit_model.h"
#include "support/filled_image.h"

#include <gtest/gtest.h>

namespace kq::panel {
namespace {

struct PresetCase {
    const char *model;
    const char *file;
    QPoint position;
};

TEST(PresetPartPosition, FollowsTheModelsTable)
{
    const PresetCase cases[] = {
        {"TL-1", "/x/PartsImage/P9.gif", {362, 43}},
        {"TL-1", "P14.gif", {362, 43}},
        {"TL-1", "P8.gif", {0, 0}},
        {"TL-1", "P15.gif", {0, 0}},
        {"TL-1", "P9.bmp", {0, 0}},
        {"TL-1", "9.gif", {0, 0}},
        {"TL-2", "/x/PartsImage/10.gif", {144, 523}},
        {"TL-2", "9.gif", {141, 144}},
        {"TL-2", "1.gif", {141, 144}},
        {"TL-2", "star.gif", {141, 144}},  // not a number: the "otherwise" place
        {"TL-2", "P12.gif", {141, 144}},
        {"TL-6", "30.gif", {110, 528}},
        {"TL-6", "29.gif", {63, 104}},
        {"TL-6", "cat.gif", {63, 104}},
        {"TL-3", "P9.gif", {0, 0}},
        {"TL-4", "40.gif", {0, 0}},
        {"TL-5", "12.gif", {0, 0}},
    };
    for (const PresetCase &c : cases) {
        const KitModel &model = KitModelAt(*KitModelIndexOf(QString::fromLatin1(c.model)));
        EXPECT_EQ(PresetPartPosition(model, QString::fromLatin1(c.file)), c.position) << c.model << " " << c.file;
    }
}

TEST(SheetSlot, WideModelsStackFourPanelsOthersTakeTwoByTwo)
{
    const std::array<QPoint, 4> stacked = {QPoint(50, 200), QPoint(50, 850), QPoint(50, 1500), QPoint(50, 2150)};
    const std::array<QPoint, 4> twoByTwo = {QPoint(50, 200), QPoint(1040, 200), QPoint(50, 1710), QPoint(1040, 1710)};
    for (int index = 0; index < kKitModelCount; ++index) {
        const KitModel &model = KitModelAt(index);
        const bool wide = model.code == QLatin1String("TL-3") || model.code == QLatin1String("TL-5");
        for (int slot = 0; slot < kSheetSlotCount; ++slot)
            EXPECT_EQ(SheetSlot(model, slot), (wide ? stacked : twoByTwo)[std::size_t(slot)]) << index << " " << slot;
    }
}

using kq::testing::FilledImage;

TEST(ComposeSheet, FourTl3PanelsFitOneAboveTheOther)
{
    const KitModel &tl3 = KitModelAt(2);
    const QColor colours[4] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
    SheetPictures pictures;
    for (int slot = 0; slot < 4; ++slot)
        pictures[std::size_t(slot)] = FilledImage(tl3.panelSize, colours[slot]);
    const QImage sheet = ComposeSheet(tl3, pictures);
    ASSERT_EQ(sheet.size(), QSize(2100, 2970));
    const int tops[4] = {200, 850, 1500, 2150};
    for (int slot = 0; slot < 4; ++slot) {
        const int top = tops[slot];
        EXPECT_EQ(sheet.pixelColor(50, top), colours[slot]) << slot;
        EXPECT_EQ(sheet.pixelColor(50 + 1889, top + 589), colours[slot]) << slot;
        EXPECT_EQ(sheet.pixelColor(49, top), QColor(Qt::white)) << slot;
        EXPECT_EQ(sheet.pixelColor(50 + 1890, top), QColor(Qt::white)) << slot;
        EXPECT_EQ(sheet.pixelColor(50, top + 590), QColor(Qt::white)) << slot;
    }
}

TEST(ComposeSheet, WhiteIsTransparentAndEmptySlotsStayWhite)
{
    // Wide pictures in the tall layout overlap: slot 2's white left half lets
    // slot 1 show through.
    const KitModel &tl1 = KitModelAt(0);
    SheetPictures pictures;
    pictures[0] = FilledImage({1890, 590}, Qt::red);
    QImage second = FilledImage({1890, 590}, Qt::blue);
    for (int y = 0; y < second.height(); ++y)
        for (int x = 0; x < 400; ++x)
            second.setPixelColor(x, y, Qt::white);
    pictures[1] = second;
    const QImage sheet = ComposeSheet(tl1, pictures);
    EXPECT_EQ(sheet.pixelColor(1040 + 10, 210), QColor(Qt::red));
    EXPECT_EQ(sheet.pixelColor(1040 + 400, 210), QColor(Qt::blue));
    EXPECT_EQ(sheet.pixelColor(100, 1800), QColor(Qt::white));
    EXPECT_EQ(ComposeSheet(tl1, {}), FilledImage({2100, 2970}, Qt::white));
}

}  // namespace
}  // namespace kq::panel
