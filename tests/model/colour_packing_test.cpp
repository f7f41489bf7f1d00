#include "model/colour_packing.h"

#include <gtest/gtest.h>

namespace kq {
namespace {

TEST(ColourLevel, SquareLawWithCeilingAndCap)
{
    const std::pair<int, int> cases[] = {
        {0, 0}, {1, 1}, {128, 18}, {153, 25}, {240, 62}, {241, 63}, {255, 63}, {-5, 0}, {300, 63},
    };
    for (const auto &[component, level] : cases)
        EXPECT_EQ(ColourLevelOf(component), level) << component;
}

TEST(ColourLevel, BackToColourRoundsHalfToEven)
{
    EXPECT_EQ(ColourOfLevel(63), 255);
    EXPECT_EQ(ColourOfLevel(0), 0);
    EXPECT_EQ(ColourOfLevel(25), 153);  // sqrt 25 × 12 = 60 %
    EXPECT_EQ(ColourOfLevel(1), 31);    // 12 % of 255 = 30.6
    EXPECT_EQ(ColourOfLevel(18), 130);  // round(50.91) = 51 %, 130.05
    EXPECT_EQ(ColourOfLevel(17), 125);  // 49 %, 124.95
    EXPECT_EQ(ColourOfLevel(34), 178);  // 70 %, 178.5 in decimal
}

TEST(PackColour, TheDocumentedExamples)
{
    EXPECT_EQ(PackColour4(255, 0, 0, 4), (std::array<int, 4>{126, 0, 1, 0}));
    EXPECT_EQ(PackColour3(255, 255, 255, 4), (std::array<int, 3>{127, 255, 228}));
    EXPECT_LT(PackColour4(255, 255, 255, 127)[0], 128);
}

// No packed byte may ever be 250, whatever the colour and time: the second
// byte of a group becomes 242, any other 218. Exhaustive over the levels and
// times that can produce a 250 in each position.
TEST(PackColour, NeverWrites250)
{
    int replacedSecond = 0;
    int replacedOther = 0;
    for (int r = 0; r <= 255; r += 1) {
        for (int g : {0, 1, 40, 128, 200, 241, 255}) {
            for (int b : {0, 1, 40, 128, 200, 241, 255}) {
                for (int t = 0; t < 128; ++t) {
                    const auto four = PackColour4(r, g, b, t);
                    const auto three = PackColour3(r, g, b, t);
                    for (int byte : four)
                        ASSERT_NE(byte, 250);
                    for (int byte : three)
                        ASSERT_NE(byte, 250);
                    replacedSecond += (four[1] == 242) + (three[1] == 242);
                    replacedOther += (four[0] == 218) + (four[2] == 218) + (three[2] == 218);
                }
            }
        }
    }
    EXPECT_GT(replacedSecond, 0);
    EXPECT_GT(replacedOther, 0);
}

int ComponentForLevel(int level)
{
    for (int c = 0; c <= 255; ++c) {
        if (ColourLevelOf(c) == level)
            return c;
    }
    ADD_FAILURE() << "no component gives level " << level;
    return 0;
}

// The bytes that can come out as 250, built bit by bit: 0 | R6 | G6 | B6 | time.
TEST(PackColour, The250RuleByPosition)
{
    // Second byte of both forms: green's low five level bits and blue's high
    // three: green 31 (011111), blue 16 (010000) give 11111 010.
    const int green = ComponentForLevel(31);
    const int blue16 = ComponentForLevel(16);
    EXPECT_EQ(PackColour3(0, green, blue16, 0)[1], 242);
    EXPECT_EQ(PackColour4(0, green, blue16, 0)[1], 242);
    // Third byte of the three-byte form: blue's low three bits and the five
    // time bits: blue 7 (000111) and time 26 (11010).
    const int blue7 = ComponentForLevel(7);
    EXPECT_EQ(PackColour3(0, 0, blue7, 26)[2], 218);
    // Third byte of the four-byte form: blue's low three bits and the high
    // five of seven time bits: time 104 (11010 00).
    EXPECT_EQ(PackColour4(0, 0, blue7, 104)[2], 218);
    // Neighbours that are not 250 stay as they are.
    EXPECT_EQ(PackColour3(0, 0, blue7, 27)[2], 251);
}

TEST(UnpackColour, InvertsPackingUpToTheLevelResolution)
{
    for (int c : {0, 1, 64, 128, 153, 200, 255}) {
        const int back = ColourOfLevel(ColourLevelOf(c));
        EXPECT_EQ(UnpackColour4(PackColour4(c, 0, 255, 9)), (UnpackedColour{back, 0, 255, 9})) << c;
        EXPECT_EQ(UnpackColour3(PackColour3(0, c, 0, 4)), (UnpackedColour{0, back, 0, 4})) << c;
    }
    EXPECT_EQ(UnpackColour4({126, 0, 1, 0}), (UnpackedColour{255, 0, 0, 4}));
}

}  // namespace
}  // namespace kq
