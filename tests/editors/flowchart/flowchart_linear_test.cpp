#include "editors/flowchart/flowchart_import.h"
#include "editors/flowchart/flowchart_linear.h"
#include "model/program_lines.h"
#include "linked_boxes.h"

#include <gtest/gtest.h>

#include <map>

namespace kq::testing {
namespace {

Flowchart Imported(const QStringList &lines)
{
    const ImportResult result = ImportProgramLines(lines, kCurrentGeneration);
    EXPECT_TRUE(result.section) << result.message.toStdString();
    Flowchart chart;
    if (result.section) {
        EXPECT_TRUE(chart.LoadSection(*result.section));
    }
    return chart;
}

const QString kWaitA = QStringLiteral("0,1,0,0,0,0");  // wait 1 s
const QString kWaitB = QStringLiteral("0,2,0,0,0,0");
const QString kWaitC = QStringLiteral("0,3,0,0,0,0");
const QString kSwitchOn = QStringLiteral("0,0,0,0,0,0");
const QString kDark = QStringLiteral("2,0,0,0,0,0");

TEST(LinearForm, IfWithElsePartRejoiningAtTheEnd)
{
    const Flowchart chart = ChartOf({{0,
        {{0, "start", 1}, {1, "if", 2, 4, kSwitchOn}, {2, "wait", 3, kNoSlot, kWaitA}, {3, "end"},
            {4, "wait", 3, kNoSlot, kWaitB}}}});
    EXPECT_EQ(LinearFormOf(chart).lines,
        QStringList({"START", "8,0,0,0,0,0,0", "7,0,1,0,0,0,0", "20,0,0,0,0,0,0", "7,0,2,0,0,0,0", "21,0,0,0,0,0,0",
            "END"}));
}

TEST(LinearForm, BranchStraightToTheJoinGivesAnEmptyElsePart)
{
    const Flowchart chart = ChartOf({{0,
        {{0, "start", 1}, {1, "if", 2, 3, kDark}, {2, "wait", 3, kNoSlot, kWaitA}, {3, "wait", 4, kNoSlot, kWaitC},
            {4, "end"}}}});
    EXPECT_EQ(LinearFormOf(chart).lines,
        QStringList({"START", "8,2,0,0,0,0,0", "7,0,1,0,0,0,0", "20,1,0,0,0,0,0", "21,1,0,0,0,0,0", "7,0,3,0,0,0,0",
            "END"}));
}

TEST(LinearForm, BranchToASecondEndBoxIsAnElsePartRunningToTheEnd)
{
    const QStringList lines {"START", "8,0,0,0,0,0,0", "7,0,1,0,0,0,0", "20,0,0,0,0,0,0", "7,0,2,0,0,0,0",
        "21,0,0,0,0,0,0", "END"};
    const Flowchart twoEnds = ChartOf({{0,
        {{0, "start", 1}, {1, "if", 2, 4, kSwitchOn}, {2, "wait", 3, kNoSlot, kWaitA}, {3, "end"},
            {4, "wait", 5, kNoSlot, kWaitB}, {5, "end"}}}});
    EXPECT_EQ(LinearFormOf(twoEnds).lines, lines);
    EXPECT_FALSE(ParseProgramLines(LinearFormOf(twoEnds).lines).error);

    // The inner if's branch ends apart; the outer else part ends at the
    // first end box.
    const Flowchart nested = ChartOf({{0,
        {{0, "start", 1}, {1, "if", 2, 5, kSwitchOn}, {2, "if", 3, 6, kDark}, {3, "wait", 4, kNoSlot, kWaitA},
            {4, "end"}, {5, "wait", 4, kNoSlot, kWaitC}, {6, "wait", 7, kNoSlot, kWaitB}, {7, "end"}}}});
    EXPECT_EQ(LinearFormOf(nested).lines,
        QStringList({"START", "8,0,0,0,0,0,0", "8,2,0,0,0,0,0", "7,0,1,0,0,0,0", "20,1,0,0,0,0,0", "7,0,2,0,0,0,0",
            "21,1,0,0,0,0,0", "20,0,0,0,0,0,0", "7,0,3,0,0,0,0", "21,0,0,0,0,0,0", "END"}));
}

TEST(LinearForm, ArrowsThatFormNoBlocksGiveNothing)
{
    // The inner if's branch leads into the outer else part: no if/else/endif
    // lines tell that, although the clock can run it.
    const Flowchart crossed = ChartOf({{0,
        {{0, "start", 1}, {1, "if", 2, 5, kSwitchOn}, {2, "if", 3, 6, kDark}, {3, "wait", 4, kNoSlot, kWaitA},
            {4, "end"}, {5, "wait", 6, kNoSlot, kWaitB}, {6, "wait", 4, kNoSlot, kWaitC}}}});
    EXPECT_EQ(CheckProgram(crossed).result, CheckResult::Correct);
    const auto sequence = LinearSequence(crossed, 0);
    ASSERT_TRUE(std::holds_alternative<CheckResult>(sequence));
    EXPECT_EQ(std::get<CheckResult>(sequence), CheckResult::ProgramWrong);
    const LinearForm form = LinearFormOf(crossed);
    EXPECT_TRUE(form.lines.isEmpty());
    EXPECT_FALSE(form.message);
    EXPECT_FALSE(form.backEdge);
}

TEST(LinearForm, SubroutinesWrittenOutOrRefused)
{
    const Flowchart empty = ChartOf({{0, {{0, "start", 1}, {1, "routine", 2, kNoSlot, "0,1,0,0,0,0"}, {2, "end"}}},
        {1, {{0, "start", 1}, {1, "end"}}}});
    EXPECT_EQ(LinearFormOf(empty).lines, QStringList({"START", "END"}));

    const Flowchart called = ChartOf({{0, {{0, "start", 1}, {1, "routine", 2, kNoSlot, "0,2,0,0,0,0"}, {2, "end"}}},
        {2, {{0, "start", 1}, {1, "wait", 2, kNoSlot, kWaitB}, {2, "end"}}}});
    EXPECT_EQ(LinearFormOf(called).lines, QStringList({"START", "7,0,2,0,0,0,0", "END"}));

    // The main routine's check passes on to the subroutine first: a missing
    // start there fails the walk of the linear form with its own message.
    const Flowchart noStart = ChartOf({{0, {{0, "start", 1}, {1, "routine", 2, kNoSlot, "0,3,0,0,0,0"}, {2, "end"}}},
        {3, {{1, "wait"}}}});
    const LinearForm refused = LinearFormOf(noStart);
    EXPECT_TRUE(refused.lines.isEmpty());
    EXPECT_EQ(refused.message, QStringLiteral("サブルーチン3のプログラムを確認して下さい。"));

    const Flowchart itself = ChartOf({{0, {{0, "start", 1}, {1, "routine", 2, kNoSlot, "0,1,0,0,0,0"}, {2, "end"}}},
        {1, {{0, "start", 1}, {1, "routine", 2, kNoSlot, "0,1,0,0,0,0"}, {2, "end"}}}});
    EXPECT_EQ(LinearFormOf(itself).message, SubroutineCheckMessage(1));
}

TEST(LinearForm, BackEdgeOrFailedMainCheckGivesNothingWithoutMessage)
{
    for (const Flowchart &chart : {ChartOf({{0, {{0, "start", 1}, {1, "wait", 2}, {2, "wait", 1}}}}),
             ChartOf({{0, {{0, "start", 1}, {1, "wait"}}}})}) {
        const LinearForm form = LinearFormOf(chart);
        EXPECT_TRUE(form.lines.isEmpty());
        EXPECT_FALSE(form.message);
    }
    const auto sequence = LinearSequence(ChartOf({{0, {{0, "start", 1}, {1, "wait", 2}, {2, "wait", 1}}}}), 0);
    ASSERT_TRUE(std::holds_alternative<CheckResult>(sequence));
    EXPECT_EQ(std::get<CheckResult>(sequence), CheckResult::BackwardJump);
}

TEST(Import, StraightProgramInOneColumn)
{
    const Flowchart chart = Imported({"START", "2,0,255,0,0,4,0", "END"});
    const int ys[] = {10, 90, 170};
    for (int slot = 0; slot < 3; ++slot) {
        EXPECT_EQ(chart.Node(0, slot).x, 50);
        EXPECT_EQ(chart.Node(0, slot).y, ys[slot]);
    }
    EXPECT_EQ(chart.Node(0, 0).kind, "start");
    EXPECT_EQ(chart.Node(0, 1).kind, "full_time");
    EXPECT_EQ(chart.Node(0, 1).params, "0,255,0,0,4,0");
    EXPECT_EQ(chart.Node(0, 2).kind, "end");
    EXPECT_EQ(chart.Node(0, 0).next, 1);
    EXPECT_EQ(chart.Node(0, 1).next, 2);
    EXPECT_EQ(chart.Node(0, 2).preds, QList<int>({1}));
}

TEST(Import, ElsePartToTheRightBelowTheIf)
{
    const Flowchart chart =
        Imported({"START", "8,0,0,0,0,0,0", "7,0,1,0,0,0,0", "20,0,0,0,0,0,0", "7,0,2,0,0,0,0", "21,0,0,0,0,0,0", "END"});
    EXPECT_EQ(chart.Node(0, 3).x, chart.Node(0, 1).x + 150);
    EXPECT_EQ(chart.Node(0, 3).y, chart.Node(0, 1).y + 80);
    EXPECT_EQ(chart.Node(0, 1).branch, 3);
    EXPECT_EQ(chart.Node(0, 3).next, 4);
    EXPECT_EQ(chart.Node(0, 2).next, 4);
}

TEST(Import, RefusesWhatDoesNotFit)
{
    QStringList tooMany {"START"};
    for (int i = 0; i < 59; ++i)
        tooMany << "7,0,1,0,0,0,0";
    tooMany << "END";
    EXPECT_EQ(ImportProgramLines(tooMany, kCurrentGeneration).message, kImportTooLargeMessage);
    EXPECT_FALSE(ImportProgramLines({"START", "banana", "END"}, kCurrentGeneration).section);
    EXPECT_FALSE(ImportProgramLines({"START"}, kCurrentGeneration).section);
}

TEST(Import, ComparisonWithXBeforeItsAssignmentIsRefusedByTheCheck)
{
    // x is assigned after the comparison, or only on the path the
    // comparison does not come from (which the text step's line order
    // accepts).
    const QStringList programs[] = {
        {"START", "8,7,0,0,0,0,0", "20,2,0,0,0,0,0", "21,2,0,0,0,0,0", "11,0,0,0,0,0,0", "END"},
        {"START", "8,0,0,0,0,0,0", "5,0,0,0,0,0,0", "20,0,0,0,0,0,0", "11,0,0,0,0,0,0", "21,0,0,0,0,0,0",
            "8,9,0,0,0,0,0", "20,2,0,0,0,0,0", "21,2,0,0,0,0,0", "END"},
    };
    for (const QStringList &program : programs) {
        const Flowchart chart = Imported(program);
        EXPECT_EQ(CheckProgram(chart).result, CheckResult::XBeforeAssigned);
        EXPECT_TRUE(LinearFormOf(chart).lines.isEmpty());
    }
}

// Twenty if blocks with empty parts: 22 boxes and 63 bytes, but END on the
// 62nd line.
QStringList TwentyEmptyBlocks()
{
    QStringList lines {"START"};
    for (int n = 0; n < 20; ++n)
        lines << "8,0,0,0,0,0,0" << "20,0,0,0,0,0,0" << "21,0,0,0,0,0,0";
    return lines << "END";
}

// Program lines through the import and back come out as they went in.
class ImportRoundTrip : public ::testing::TestWithParam<QStringList> {};

TEST_P(ImportRoundTrip, LinesComeBack)
{
    const Flowchart chart = Imported(GetParam());
    EXPECT_EQ(CheckProgram(chart).result, CheckResult::Correct);
    EXPECT_EQ(LinearFormOf(chart).lines, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Programs, ImportRoundTrip,
    ::testing::Values(QStringList {"START", "7,0,1,0,0,0,0", "END"},
        QStringList {"START", "8,0,0,0,0,0,0", "7,0,1,0,0,0,0", "20,0,0,0,0,0,0", "7,0,2,0,0,0,0", "21,0,0,0,0,0,0",
            "END"},
        QStringList {"START", "8,2,0,0,0,0,0", "7,0,1,0,0,0,0", "20,1,0,0,0,0,0", "21,1,0,0,0,0,0", "7,0,3,0,0,0,0",
            "END"},
        // An if nested in the then part, and one in the else part.
        QStringList {"START", "8,0,0,0,0,0,0", "8,2,0,0,0,0,0", "7,0,1,0,0,0,0", "20,1,0,0,0,0,0", "7,0,2,0,0,0,0",
            "21,1,0,0,0,0,0", "20,0,0,0,0,0,0", "7,0,3,0,0,0,0", "21,0,0,0,0,0,0", "END"},
        QStringList {"START", "8,0,0,0,0,0,0", "7,0,1,0,0,0,0", "20,0,0,0,0,0,0", "8,2,0,0,0,0,0", "7,0,2,0,0,0,0",
            "20,1,0,0,0,0,0", "7,0,3,0,0,0,0", "21,1,0,0,0,0,0", "21,0,0,0,0,0,0", "7,0,4,0,0,0,0", "END"},
        QStringList {"START", "9,0,3,0,0,0,0", "7,0,1,0,0,0,0", "9,1,0,0,0,0,0", "END"}, TwentyEmptyBlocks()));

}  // namespace
}  // namespace kq::testing
