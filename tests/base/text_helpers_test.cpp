#include "base/text_helpers.h"

#include <gtest/gtest.h>

namespace kq {
namespace {

TEST(FieldOf, CutsAtEachSeparatorFromTheLeft)
{
    const struct {
        const char16_t *text;
        int n;
        char16_t separator;
        const char16_t *expected;
    } cases[] = {
        {u"2,0,255,0,0,4,0", 1, ',', u"2"},
        {u"2,0,255,0,0,4,0", 3, ',', u"255"},
        {u"2,0,255,0,0,4,0", 7, ',', u"0"},
        {u"2,0,255,0,0,4,0", 8, ',', u""},
        {u"a,b,c", 3, ',', u"c"},
        {u"a,b,c", 4, ',', u""},
        {u"", 1, ',', u""},
        {u"a,,c", 2, ',', u""},
        {u"a,b,", 3, ',', u""},
        {u"0--0-0----", 2, '-', u""},
        {u"0--0-0----", 4, '-', u"0"},
        {u"key=value=more", 2, '=', u"value"},
        {u"a,b", 0, ',', u""},
        {u"a,b", -3, ',', u""},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(FieldOf(QStringView(c.text), c.n, QChar(c.separator)), QString::fromUtf16(c.expected))
            << QString::fromUtf16(c.text).toStdString() << " n=" << c.n;
    }
}

TEST(FieldCount, CountsSeparatorsPlusOneAndZeroForEmpty)
{
    EXPECT_EQ(FieldCount(u"20,0,0,0,0,0,0", ','), 7);
    EXPECT_EQ(FieldCount(u"", ','), 0);
    EXPECT_EQ(FieldCount(u",", ','), 2);
    EXPECT_EQ(CommaCount(u"a,b,,"), 3);
}

TEST(RemoveSpaces, RemovesOnlyHalfWidthSpaces)
{
    EXPECT_EQ(RemoveSpaces(u" a b\t\u3000c "), QStringLiteral("ab\t\u3000c"));
}

TEST(ReplaceAll, ScansLeftToRightWithoutOverlap)
{
    EXPECT_EQ(ReplaceAll(u"aaaa", u"aa", u"b"), QStringLiteral("bb"));
    EXPECT_EQ(ReplaceAll(u"aaa", u"aa", u"a"), QStringLiteral("aa"));
    EXPECT_EQ(ReplaceAll(u"a,b,c", u",", u""), QStringLiteral("abc"));
    EXPECT_EQ(ReplaceAll(u"abc", u"", u"x"), QStringLiteral("abc"));
    EXPECT_EQ(ReplaceAll(u"xax", u"x", u"xx"), QStringLiteral("xxaxx"));
}

TEST(IsIntegerText, FollowsTheIntegerSyntax)
{
    const struct {
        const char16_t *text;
        std::optional<int> value;
    } cases[] = {
        {u"0", 0},
        {u"255", 255},
        {u"+7", 7},
        {u"-12", -12},
        {u"-0", std::nullopt},
        {u"+0", 0},
        {u"007", 7},
        {u"$FF", 255},
        {u"x1f", 31},
        {u"0x10", 16},
        {u"2147483647", 2147483647},
        {u"-2147483648", -2147483647 - 1},
        {u"2147483648", std::nullopt},
        {u"$FFFFFFFF", -1},
        {u"$100000000", std::nullopt},
        {u"", std::nullopt},
        {u"-", std::nullopt},
        {u"$", std::nullopt},
        {u"1.5", std::nullopt},
        {u"abc", std::nullopt},
        {u"12a", std::nullopt},
        {u" 1", std::nullopt},
        {u"１", std::nullopt},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(IntegerValueOf(QStringView(c.text)), c.value) << QString::fromUtf16(c.text).toStdString();
        EXPECT_EQ(IsIntegerText(QStringView(c.text)), c.value.has_value());
    }
}

TEST(HexToInt, ConvertsOrFails)
{
    EXPECT_EQ(HexToInt(u"E6"), 230u);
    EXPECT_EQ(HexToInt(u"e6"), 230u);
    EXPECT_EQ(HexToInt(u"FFFF"), 65535u);
    EXPECT_EQ(HexToInt(u"0000"), 0u);
    EXPECT_EQ(HexToInt(u"FFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_EQ(HexToInt(u""), std::nullopt);
    EXPECT_EQ(HexToInt(u"G1"), std::nullopt);
    EXPECT_EQ(HexToInt(u"1 2"), std::nullopt);
    EXPECT_EQ(HexToInt(u"100000000"), std::nullopt);
    EXPECT_EQ(kCannotConvertMessage, QStringLiteral("変換できません"));
}

TEST(Bits, ByteToBitsAndBack)
{
    EXPECT_EQ(ByteToBits(250, 1), QStringLiteral("1111 1010"));
    EXPECT_EQ(ByteToBits(0, 1), QStringLiteral("0000 0000"));
    EXPECT_EQ(ByteToBits(0x1A5, 1), QStringLiteral("1010 0101"));  // only the lowest byte
    EXPECT_EQ(ByteToBits(26, 2), QStringLiteral("0000 0000 0001 1010"));
    EXPECT_EQ(BitsToInt(u"11111010"), 250u);
    EXPECT_EQ(BitsToInt(u"1111 1010"), 490u);  // the space counts as a zero digit
    EXPECT_EQ(BitsToInt(u"1x1"), 5u);
    EXPECT_EQ(BitsToInt(u""), 0u);
}

TEST(CleanTextLine, DropsCommentOrTerminatorThenSpacesThenCase)
{
    const struct {
        const char16_t *line;
        const char16_t *expected;
    } cases[] = {
        {u"LEDON(255, 0, 0, 1);  // red\r\n", u"ledon(255,0,0,1);"},
        {u"A B\r\n", u"ab"},
        {u"beep1();\r\n", u"beep1();"},
        {u"// only a comment\r\n", u""},
        {u"   \r\n", u""},
        {u"\tbeep1();\r\n", u"\tbeep1();"},
        {u"\r\n", u""},
        {u"x", u""},
        {u"", u""},
        {u"ＡＢ\r\n", u"ＡＢ"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CleanTextLine(QStringView(c.line)), QString::fromUtf16(c.expected));
}

TEST(HasItemWithThirdField, LooksAtEveryDashItem)
{
    EXPECT_TRUE(HasItemWithThirdField(u"1,2,3-4,5,6", u"6"));
    EXPECT_TRUE(HasItemWithThirdField(u"1,2,3-4,5,6", u"3"));
    EXPECT_FALSE(HasItemWithThirdField(u"1,2,3-4,5,6", u"5"));
    EXPECT_FALSE(HasItemWithThirdField(u"", u"1"));
}

}  // namespace
}  // namespace kq
