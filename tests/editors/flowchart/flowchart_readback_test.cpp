#include "editors/flowchart/flowchart_code.h"
#include "editors/flowchart/flowchart_import.h"
#include "editors/flowchart/flowchart_linear.h"
#include "editors/flowchart/flowchart_readback.h"

#include <gtest/gtest.h>

namespace kq::testing {
namespace {

QStringList DumpOf(const ByteList &bytes)
{
    QStringList dump;
    for (int b : bytes)
        dump << QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
    dump << "FA";  // the end of the stored program
    return dump;
}

Flowchart ChartOfSection(const QStringList &section)
{
    Flowchart chart;
    EXPECT_TRUE(chart.LoadSection(section));
    return chart;
}

TEST(ReadBack, StartAndEndAsTwoLinkedBoxes)
{
    const std::optional<QStringList> section = ReadBackSection({"00", "12", "E6", "02", "E7", "FA"});
    ASSERT_TRUE(section);
    const Flowchart chart = ChartOfSection(*section);
    EXPECT_EQ(NodeLine(chart.Node(0, 0)), "0-start-50-10--1--0,0,0,0,0,0");
    EXPECT_EQ(NodeLine(chart.Node(0, 1)), "1-end-50-90-0---0,0,0,0,0,0");
    EXPECT_FALSE(chart.Node(0, 2).IsUsed());
}

TEST(ReadBack, DumpsThatGiveNothing)
{
    EXPECT_FALSE(ReadBackSection({}));
    EXPECT_FALSE(ReadBackSection({"00", "02"}));            // no E6
    EXPECT_FALSE(ReadBackSection({"E6", "02"}));            // ends before the walk
    EXPECT_FALSE(ReadBackSection({"E6", "zz", "E7", "FA"}));  // not hexadecimal
    // More than 129 instructions.
    QStringList chain {"E6", "02"};
    for (int i = 0; i < 130; ++i)
        chain << "AA" << QString::number(4 + 2 * i, 16);
    EXPECT_FALSE(ReadBackSection(chain));
}

// A program through the encoder and back gives the same program lines.
class ReadBackRoundTrip : public ::testing::TestWithParam<QStringList> {};

TEST_P(ReadBackRoundTrip, LinesComeBack)
{
    const ImportResult imported = ImportProgramLines(GetParam(), kCurrentGeneration);
    ASSERT_TRUE(imported.section);
    const GeneratedProgram program = GenerateProgram(ChartOfSection(*imported.section));
    ASSERT_EQ(program.result, CheckResult::Correct);
    const std::optional<QStringList> section = ReadBackSection(DumpOf(program.bytes));
    ASSERT_TRUE(section);
    EXPECT_EQ(LinearFormOf(ChartOfSection(*section)).lines, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Programs, ReadBackRoundTrip,
    ::testing::Values(QStringList {"START", "2,0,255,0,0,4,0", "END"},
        QStringList {"START", "8,0,0,0,0,0,0", "7,4,5,0,0,0,0", "20,0,0,0,0,0,0", "5,1,0,0,0,0,0", "21,0,0,0,0,0,0",
            "END"},
        QStringList {"START", "11,0,0,0,0,0,0", "9,0,3,0,0,0,0", "8,7,0,0,0,0,0", "4,1,0,0,0,0,0", "20,2,0,0,0,0,0",
            "4,2,0,0,0,0,0", "21,2,0,0,0,0,0", "9,1,0,0,0,0,0", "END"}));

TEST(ReadBack, IfBlocksLaidOutAsBlocks)
{
    // start, if, then two timers, else a sound, then a beep: the walk makes
    // the then part and the join first (slots 2..5), the else part last.
    const ImportResult imported = ImportProgramLines({"START", "8,0,0,0,0,0,0", "6,0,1,0,0,0,0", "6,0,2,0,0,0,0",
        "20,0,0,0,0,0,0", "5,1,0,0,0,0,0", "21,0,0,0,0,0,0", "5,0,0,0,0,0,0", "END"}, kCurrentGeneration);
    ASSERT_TRUE(imported.section);
    const std::optional<QStringList> read = ReadBackSection(DumpOf(GenerateProgram(ChartOfSection(*imported.section)).bytes));
    ASSERT_TRUE(read);
    const Flowchart chart = ChartOfSection(*read);
    const QStringList expected {"0-start-50-10--1--0,0,0,0,0,0", "1-if-50-90-0-2-6-0,0,0,0,0,0",
        "2-timer-50-170-1-3--0,1,0,0,0,0", "3-timer-50-250-2-4--0,2,0,0,0,0", "4-sound-50-330-3,6-5--0,0,0,0,0,0",
        "5-end-50-410-4---0,0,0,0,0,0", "6-sound-200-170-1-4--1,0,0,0,0,0"};
    for (int slot = 0; slot < expected.size(); ++slot)
        EXPECT_EQ(NodeLine(chart.Node(0, slot)), expected[slot]);
}

TEST(ReadBack, SubroutineCalledTwiceIsDecodedOnceAsRoutineOne)
{
    QStringList section {kSubroutineMarker, "", "", "", ""};
    QStringList main {"0-start-50-10--1--0,0,0,0,0,0", "1-routine-50-90-0-2--0,2,0,0,0,0",
        "2-routine-50-170-1-3--0,2,0,0,0,0", "3-end-50-250-2---0,0,0,0,0,0"};
    QStringList sub {"0-start-50-10--1--0,0,0,0,0,0", "1-sound-50-90-0-2--1,0,0,0,0,0", "2-end-50-170-1---0,0,0,0,0,0"};
    for (int r = 0; r < kRoutineCount; ++r)
        for (int slot = 0; slot < kRoutineSlots; ++slot) {
            const QStringList &boxes = r == 0 ? main : r == 2 ? sub : QStringList {};
            section << (slot < boxes.size() ? boxes[slot] : QStringLiteral("0--0-0----"));
        }
    const GeneratedProgram program = GenerateProgram(ChartOfSection(section));
    ASSERT_EQ(program.result, CheckResult::Correct);
    const std::optional<QStringList> read = ReadBackSection(DumpOf(program.bytes));
    ASSERT_TRUE(read);
    const Flowchart chart = ChartOfSection(*read);
    EXPECT_EQ(chart.Node(0, 1).params, "0,1,0,0,0,0");
    EXPECT_EQ(chart.Node(0, 2).params, "0,1,0,0,0,0");
    EXPECT_EQ(chart.Node(1, 0).kind, "start");
    EXPECT_EQ(chart.Node(1, 2).kind, "end");
    EXPECT_FALSE(chart.Node(2, 0).IsUsed());
    EXPECT_EQ(LinearFormOf(chart).lines, LinearFormOf(ChartOfSection(section)).lines);
}

}  // namespace
}  // namespace kq::testing
