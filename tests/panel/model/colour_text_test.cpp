#include "panel/model/colour_text.h"

#include <gtest/gtest.h>

namespace kq::panel {
namespace {

TEST(ColourText, NamesExactValuesAndWritesOthersAsBgrHex)
{
    const struct {
        QColor colour;
        const char *text;
    } cases[] = {
        {QColor(0, 0, 0), "clBlack"},
        {QColor(255, 255, 255), "clWhite"},
        {QColor(0x80, 0, 0), "clMaroon"},
        {QColor(0xC0, 0xC0, 0xC0), "clSilver"},
        {QColor(0, 0xFF, 0xFF), "clAqua"},
        {QColor(0x12, 0x34, 0x56), "$00563412"},
        {QColor(254, 255, 255), "$00FFFFFE"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(ColourText(c.colour), QString::fromLatin1(c.text));
        EXPECT_EQ(ParseColourText(QString::fromLatin1(c.text)), c.colour) << c.text;
    }
}

TEST(ColourText, RefusesTextsThatAreNoColour)
{
    for (const char *text : {"", "white", "clwhite", "$563412", "$00GG3412", "#FFFFFF", "$0056341200"})
        EXPECT_FALSE(ParseColourText(QString::fromLatin1(text)).has_value()) << text;
    EXPECT_EQ(ParseColourText(QStringLiteral("$00ff0000")), QColor(0, 0, 255));
}

}  // namespace
}  // namespace kq::panel
