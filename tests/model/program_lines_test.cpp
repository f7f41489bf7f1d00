#include "model/program_lines.h"

#include <gtest/gtest.h>

namespace kq {
namespace {

TEST(ProgramLine, ParsesSevenDecimalFields)
{
    const auto line = ParseProgramLine(u"2,0,255,0,0,4,0");
    ASSERT_TRUE(line);
    EXPECT_EQ(line->kind, InstructionKind::FullTime);
    EXPECT_EQ(line->params, (ParameterList{0, {255, 0, 0, 4, 0}}));
    EXPECT_EQ(line->ToText(), QStringLiteral("2,0,255,0,0,4,0"));
    for (const char16_t *bad : {u"", u"2,0,255,0,0,4", u"2,0,255,0,0,4,0,0", u"2,0,x,0,0,4,0", u"2,0, 5,0,0,4,0",
                                u"2,0,$5,0,0,4,0", u"2,0,,0,0,4,0", u"2,0,99999999999,0,0,4,0", u"14,0,0,0,0,0,0",
                                u"-1,0,0,0,0,0,0"})
        EXPECT_FALSE(ParseProgramLine(QStringView(bad)).has_value()) << QString::fromUtf16(bad).toStdString();
}

TEST(ProgramLinesRange, FromStartToEndOnly)
{
    const QStringList file{"OK", "START", "5,0,0,0,0,0,0", "END", "reponame=END", "END"};
    EXPECT_EQ(ProgramLinesRange(file), (QStringList{"START", "5,0,0,0,0,0,0", "END"}));
    EXPECT_TRUE(ProgramLinesRange({"START", "5,0,0,0,0,0,0"}).isEmpty());
    EXPECT_TRUE(ProgramLinesRange({"END", "START"}).isEmpty());
    EXPECT_TRUE(SameProgramLines(file, {"NG", "START", "5,0,0,0,0,0,0", "END"}));
    EXPECT_FALSE(SameProgramLines(file, {"START", "5,1,0,0,0,0,0", "END"}));
}

// Each malformed program names the line at fault (1-based, counted in the
// list handed in); 0 means the list as a whole.
TEST(ParseProgramLines, RefusesMalformedProgramsNamingTheLine)
{
    const struct {
        QStringList lines;
        int badLine;
    } cases[] = {
        {{"5,0,0,0,0,0,0"}, 0},
        {{"START"}, 0},
        {{"START", "5,0,0,0,0", "END"}, 2},
        {{"START", "5,0,0,0,0,0,0", "five,0,0,0,0,0,0", "END"}, 3},
        {{"START", "14,0,0,0,0,0,0", "END"}, 2},
        {{"START", "1,0,0,0,0,0,0", "END"}, 2},
        {{"START", "10,0,1,0,0,0,0", "END"}, 2},
        {{"START", "5,6,0,0,0,0,0", "END"}, 2},
        {{"START", "2,0,256,0,0,4,0", "END"}, 2},
        {{"START", "2,0,-1,0,0,4,0", "END"}, 2},
        {{"START", "20,0,0,0,0,0,0", "END"}, 2},
        {{"START", "21,0,0,0,0,0,0", "END"}, 2},
        {{"START", "8,0,0,0,0,0,0", "20,0,0,0,0,0,0", "20,0,0,0,0,0,0", "END"}, 4},
        {{"START", "8,0,0,0,0,0,0", "5,0,0,0,0,0,0", "END"}, 4},
        {{"START", "8,0,0,0,0,0,0", "21,3,0,0,0,0,0", "END"}, 3},
        {{"START", "9,1,0,0,0,0,0", "END"}, 2},
        {{"START", "9,0,2,0,0,0,0", "9,0,2,0,0,0,0", "9,1,0,0,0,0,0", "END"}, 3},
        {{"START", "9,0,2,0,0,0,0", "END"}, 2},
    };
    for (const auto &c : cases) {
        const ParsedProgramLines parsed = ParseProgramLines(c.lines);
        ASSERT_TRUE(parsed.error.has_value()) << c.lines.join(' ').toStdString();
        EXPECT_EQ(parsed.error->lineNumber, c.badLine) << c.lines.join(' ').toStdString();
    }
}

TEST(ParseProgramLines, AcceptsNestedBlocksSequentialLoopsAndIgnoresOutsideLines)
{
    const QStringList lines{"OK", "garbage", "START",
                            "9,0,3,0,0,0,0", "8,0,0,0,0,0,0", "8,2,50,0,0,0,0", "21,1,0,0,0,0,0",
                            "20,0,0,0,0,0,0", "21,0,0,0,0,0,0", "9,1,0,0,0,0,0",
                            "9,0,2,0,0,0,0", "9,1,0,0,0,0,0", "END", "reponen=3"};
    const ParsedProgramLines parsed = ParseProgramLines(lines);
    EXPECT_FALSE(parsed.error.has_value());
    EXPECT_EQ(parsed.instructions.size(), 9u);
    EXPECT_EQ(ProgramLinesMemoryCount(parsed.instructions, kCurrentGeneration), 2 + 3 + 3 + 4 + 2 + 3 + 2 + 1);
    EXPECT_EQ(ProgramLinesMemoryCount(parsed.instructions, kOlderGeneration), 2 + 3 + 3 + 3 + 2 + 3 + 2 + 1);
}

}  // namespace
}  // namespace kq
