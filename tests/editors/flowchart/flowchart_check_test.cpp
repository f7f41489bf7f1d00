#include "editors/flowchart/flowchart_check.h"
#include "editors/flowchart/flowchart_code.h"
#include "linked_boxes.h"

#include <gtest/gtest.h>

#include <map>

namespace kq::testing {
namespace {

const QString kIfX = QStringLiteral("7,0,0,0,0,0");       // temperature above x
const QString kIfSensor = QStringLiteral("0,0,0,0,0,0");
const QString kLoopStart = QStringLiteral("0,3,0,0,0,0");
const QString kLoopEnd = QStringLiteral("1,0,0,0,0,0");

struct CheckCase {
    const char *name;
    Boxes boxes;
    CheckResult expected;
    bool backEdge = false;
};

class ProgramCheckTable : public ::testing::TestWithParam<CheckCase> {};

TEST_P(ProgramCheckTable, ResultAndBackEdge)
{
    const CheckCase &c = GetParam();
    const ProgramCheck check = CheckProgram(ChartOf(c.boxes));
    EXPECT_EQ(CheckResultText(check.result), CheckResultText(c.expected)) << c.name;
    EXPECT_EQ(check.backEdge, c.backEdge) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Cases, ProgramCheckTable,
    ::testing::Values(
        CheckCase {"start_end", {{0, {{0, "start", 1}, {1, "end"}}}}, CheckResult::Correct},
        CheckCase {"nothing", {}, CheckResult::NoStart},
        CheckCase {"start_without_next", {{0, {{0, "start"}}}}, CheckResult::NotLinked},
        CheckCase {"link_to_free_slot", {{0, {{0, "start", 5}}}}, CheckResult::NotLinked},
        CheckCase {"unreached_box_is_not_checked", {{0, {{0, "start", 1}, {1, "end"}, {2, "wait"}}}},
            CheckResult::Correct},
        CheckCase {"uncalled_subroutine_is_not_checked", {{0, {{0, "start", 1}, {1, "end"}}}, {1, {{3, "wait"}}}},
            CheckResult::Correct},
        CheckCase {"called_subroutine_without_start",
            {{0, {{0, "start", 1}, {1, "routine", 2, kNoSlot, "0,1,0,0,0,0"}, {2, "end"}}}, {1, {{3, "wait"}}}},
            CheckResult::NoStart},
        CheckCase {"called_subroutine_correct",
            {{0, {{0, "start", 1}, {1, "routine", 2, kNoSlot, "0,2,0,0,0,0"}, {2, "end"}}},
                {2, {{0, "start", 1}, {1, "end"}}}},
            CheckResult::Correct},
        CheckCase {"if_without_branch", {{0, {{0, "start", 1}, {1, "if", 2, kNoSlot, kIfSensor}, {2, "end"}}}},
            CheckResult::NotLinked},
        CheckCase {"if_branch_to_free_slot", {{0, {{0, "start", 1}, {1, "if", 2, 9, kIfSensor}, {2, "end"}}}},
            CheckResult::NotLinked},
        CheckCase {"if_both_ways_to_end", {{0, {{0, "start", 1}, {1, "if", 2, 3, kIfSensor}, {2, "end"}, {3, "end"}}}},
            CheckResult::Correct},
        CheckCase {"loop_end_before_start",
            {{0, {{0, "start", 1}, {1, "loop", 2, kNoSlot, kLoopEnd}, {2, "loop", 3, kNoSlot, kLoopStart}, {3, "end"}}}},
            CheckResult::RepeatOrder},
        CheckCase {"end_inside_loop", {{0, {{0, "start", 1}, {1, "loop", 2, kNoSlot, kLoopStart}, {2, "end"}}}},
            CheckResult::RepeatOrder},
        CheckCase {"rejoin_inside_loop",
            {{0, {{0, "start", 1}, {1, "loop", 2, kNoSlot, kLoopStart}, {2, "wait", 1}}}},
            CheckResult::RepeatOrder, true},
        // The second if's branch leads into the walked loop: it is left at
        // once, without opening the loop again.
        CheckCase {"branches_to_walked_loop",
            {{0, {{0, "start", 1}, {1, "if", 2, 2, kIfSensor}, {2, "if", 3, 3, kIfSensor},
                     {3, "loop", 4, kNoSlot, kLoopStart}, {4, "loop", 5, kNoSlot, kLoopEnd}, {5, "end"}}}},
            CheckResult::Correct},
        CheckCase {"loop_in_order",
            {{0, {{0, "start", 1}, {1, "loop", 2, kNoSlot, kLoopStart}, {2, "wait", 3}, {3, "loop", 4, kNoSlot, kLoopEnd},
                     {4, "end"}}}},
            CheckResult::Correct},
        CheckCase {"x_compared_before_assigned",
            {{0, {{0, "start", 1}, {1, "if", 2, 3, kIfX}, {2, "end"}, {3, "dainyuu", 4}, {4, "end"}}}},
            CheckResult::XBeforeAssigned},
        CheckCase {"x_compared_after_assigned",
            {{0, {{0, "start", 3}, {3, "dainyuu", 1}, {1, "if", 2, 4, kIfX}, {2, "end"}, {4, "end"}}}},
            CheckResult::Correct},
        CheckCase {"arrow_back_to_the_first_box", {{0, {{0, "start", 1}, {1, "wait", 2}, {2, "wait", 1}}}},
            CheckResult::Correct, true},
        CheckCase {"if_branch_to_itself", {{0, {{0, "start", 1}, {1, "if", 0, 1, kIfSensor}}}}, CheckResult::Correct,
            true},
        // Damaged files: calls that cannot be made, or that could call themselves.
        CheckCase {"call_outside_one_to_four",
            {{0, {{0, "start", 1}, {1, "routine", 2, kNoSlot, "0,7,0,0,0,0"}, {2, "end"}}}}, CheckResult::ProgramWrong},
        CheckCase {"subroutine_calls_itself",
            {{0, {{0, "start", 1}, {1, "routine", 2, kNoSlot, "0,1,0,0,0,0"}, {2, "end"}}},
                {1, {{0, "start", 1}, {1, "routine", 2, kNoSlot, "0,1,0,0,0,0"}, {2, "end"}}}},
            CheckResult::ProgramWrong}),
    [](const ::testing::TestParamInfo<CheckCase> &info) { return std::string(info.param.name); });

TEST(ProgramCheckMessages, EachFailingResultHasItsWarning)
{
    EXPECT_TRUE(CheckMessageOf(CheckResult::Correct).isEmpty());
    EXPECT_EQ(CheckMessageOf(CheckResult::NotLinked),
        QStringLiteral("プログラムがきちんと結ばれておりません。\r\nプログラムを確認して下さい。"));
    EXPECT_EQ(CheckMessageOf(CheckResult::XBeforeAssigned),
        QStringLiteral("変数xを使った条件分岐命令は事前に変数xに代入する命令が必要です。\r\nプログラムを確認して下さい。"));
    EXPECT_EQ(CheckResultText(CheckResult::XBeforeAssigned), "-6");
}

TEST(BackEdgeTest, MergingPathsAreWalkedOnce)
{
    // Twenty if blocks in a row: a million ways back from the end box, of
    // which none reaches a box below it.
    QList<Box> boxes {{0, "start", 1}};
    for (int block = 0; block < 19; ++block) {
        const int ifSlot = 1 + 3 * block;
        const int join = ifSlot + 3;
        boxes << Box {ifSlot, "if", ifSlot + 1, ifSlot + 2, kIfSensor} << Box {ifSlot + 1, "wait", join}
              << Box {ifSlot + 2, "wait", join};
    }
    boxes << Box {58, "end"};
    const Flowchart chart = ChartOf({{0, boxes}});
    EXPECT_TRUE(IsAncestor(chart, 0, 58, 1));
    EXPECT_TRUE(IsAncestor(chart, 0, 58, 58));
    EXPECT_FALSE(IsAncestor(chart, 0, 57, 58));
    EXPECT_EQ(CheckProgram(chart).result, CheckResult::Correct);
    EXPECT_FALSE(CheckProgram(chart).backEdge);

    const Flowchart simple = ChartOf({{0, {{0, "start", 1}, {1, "wait", 2}, {2, "end"}}}});
    EXPECT_TRUE(IsAncestor(simple, 0, 2, 1));
    EXPECT_FALSE(IsAncestor(simple, 0, 1, 2));
}

TEST(GeneratedProgramBytes, StartEndAndSubroutineReturn)
{
    const GeneratedProgram plain = GenerateProgram(ChartOf({{0, {{0, "start", 1}, {1, "end"}}}}));
    EXPECT_EQ(plain.bytes, ByteList({230, 2, 231}));
    EXPECT_EQ(plain.addressMap, QStringList({"2,1"}));

    // Main: start, call of subroutine 1, end; subroutine 1: start, end.
    const GeneratedProgram called = GenerateProgram(
        ChartOf({{0, {{0, "start", 1}, {1, "routine", 2, kNoSlot, "0,1,0,0,0,0"}, {2, "end"}}},
            {1, {{0, "start", 1}, {1, "end"}}}}));
    ASSERT_EQ(called.result, CheckResult::Correct);
    ASSERT_GE(called.bytes.size(), 3);
    EXPECT_EQ(called.bytes.last(), kSubroutineReturnCode);
    EXPECT_EQ(called.bytes[called.bytes.size() - 4], 231);  // the main routine's end
    const int subroutineStart = int(called.bytes.size()) - 3;
    EXPECT_EQ(called.bytes[3], subroutineStart);  // the call's address byte
    EXPECT_EQ(SlotOfAddress(called.addressMap, subroutineStart + 2), 1);
}

TEST(GeneratedProgramBytes, UnreachedBoxGetsItsBytesWithNextZeroAndFailedCheckGivesNothing)
{
    const GeneratedProgram program =
        GenerateProgram(ChartOf({{0, {{0, "start", 1}, {1, "end"}, {2, "wait", kNoSlot, kNoSlot, "0,5,0,0,0,0"}}}}));
    ASSERT_EQ(program.result, CheckResult::Correct);
    EXPECT_EQ(program.bytes.mid(0, 3), ByteList({230, 2, 231}));
    EXPECT_EQ(program.bytes.last(), 0);
    EXPECT_EQ(program.addressMap, QStringList({"2,1"}));

    const GeneratedProgram failed = GenerateProgram(ChartOf({{0, {{0, "start"}}}}));
    EXPECT_EQ(failed.result, CheckResult::NotLinked);
    EXPECT_TRUE(failed.bytes.isEmpty());
    EXPECT_TRUE(failed.addressMap.isEmpty());
}

TEST(GeneratedProgramBytes, IfMapsNextThenBranch)
{
    const GeneratedProgram program =
        GenerateProgram(ChartOf({{0, {{0, "start", 1}, {1, "if", 2, 3, kIfSensor}, {2, "end"}, {3, "end"}}}}));
    ASSERT_EQ(program.result, CheckResult::Correct);
    ASSERT_EQ(program.addressMap.size(), 3);
    EXPECT_TRUE(program.addressMap[1].endsWith(",2"));
    EXPECT_TRUE(program.addressMap[2].endsWith(",3"));
}

}  // namespace
}  // namespace kq::testing
