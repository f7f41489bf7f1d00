#include "base/transfer_progress.h"
#include "editors/flowchart/flowchart.h"

#include <gtest/gtest.h>

#include <functional>

namespace kq::testing {
namespace {

const ParameterList kLampParams {0, {255, 0, 0, 10, 0}};  // full_time: red for 1 s

// A main routine with a start at (100, 0) and boxes placed below it.
class FlowchartTest : public ::testing::Test {
public:
    int PlaceBox(InstructionKind kind, int x, int y, const ParameterList &params = {})
    {
        const Flowchart::PlaceResult result = chart.Place(kind, x, y, params);
        EXPECT_FALSE(result.message) << result.message->toStdString();
        return result.slot;
    }
    QPoint Inside(int slot) const { return {chart.Node(slot).x + 50, chart.Node(slot).y + 25}; }
    QStringList Routine() const
    {
        QStringList lines;
        for (int slot = 0; slot < kRoutineSlots; ++slot)
            lines << NodeLine(chart.Node(slot));
        return lines;
    }
    QStringList UndoTexts() const
    {
        QStringList texts;
        for (const UndoRecord &record : chart.UndoStack())
            texts << record.Text();
        return texts;
    }

    Flowchart chart;
};

TEST(NodeLineText, FreeUsedAndDamagedLines)
{
    EXPECT_EQ(NodeLine(FlowNode {}), "0--0-0----");
    const FlowNode node {3, "if", 120, 300, {1, 5}, 4, 7, "1,0,0,0,0,0"};
    EXPECT_EQ(NodeLine(node), "3-if-120-300-1,5-4-7-1,0,0,0,0,0");
    EXPECT_EQ(ParseNodeLine(NodeLine(node)), node);
    EXPECT_EQ(ParseNodeLine("0--0-0----"), FlowNode {});
    for (const char *bad :
         {"", "1-wait-0-0--", "1-wait-x-0----0,0,0,0,0,0", "60-wait-0-0----0,0,0,0,0,0", "1-wait-0-0-99---0,0,0,0,0,0",
          "1-jump-0-0----0,0,0,0,0,0", "1-else-0-0----", "1-wait-0--5----0,0,0,0,0,0", "1-wait-0-0--a--0,0,0,0,0,0"})
        EXPECT_FALSE(ParseNodeLine(bad)) << bad;
}

TEST_F(FlowchartTest, PlacingRulesAndMessages)
{
    EXPECT_EQ(PlaceBox(InstructionKind::Start, 100, 0), 0);
    EXPECT_EQ(chart.Node(0).params, "0,0,0,0,0,0");
    EXPECT_EQ(chart.Place(InstructionKind::Start, 0, 0, {}).message, kSecondStartMessage);
    EXPECT_EQ(PlaceBox(InstructionKind::FullTime, 100, 100, kLampParams), 1);
    EXPECT_EQ(chart.Node(1).params, "0,255,0,0,10,0");
    EXPECT_EQ(UndoTexts(), QStringList({"1=0-start-100-0----0,0,0,0,0,0", "1=1-full_time-100-100----0,255,0,0,10,0"}));

    chart.SwitchRoutine(1);
    EXPECT_EQ(chart.Place(InstructionKind::Routine, 0, 0, {0, {1}}).message, kRoutineOutsideMainMessage);
    EXPECT_EQ(PlaceBox(InstructionKind::Start, 0, 0), 0);  // each routine has its own start
    chart.SwitchRoutine(0);
    EXPECT_EQ(PlaceBox(InstructionKind::Routine, 0, 200, {0, {1}}), 2);

    // A box dropped onto the start keeps slot 0: a new start never overwrites it.
    chart.Replace(0, InstructionKind::End, {});
    EXPECT_EQ(chart.Place(InstructionKind::Start, 0, 0, {}).message, kSecondStartMessage);
    EXPECT_EQ(chart.Node(0).kind, "end");
}

TEST_F(FlowchartTest, SixtyBoxesThenTheLimitComesBeforeTheStartRule)
{
    chart.SetGeneration(kCurrentGeneration);
    for (int i = 1; i < kRoutineSlots; ++i)
        chart.Replace(i, InstructionKind::Wait, {});  // nothing there yet: ignored
    // end is the one-byte instruction, so 59 of them stay under 120 bytes.
    for (int i = 1; i < kRoutineSlots; ++i)
        ASSERT_EQ(PlaceBox(InstructionKind::End, 0, i * 10), i);
    EXPECT_EQ(chart.Place(InstructionKind::End, 0, 0, {}).message, kTooManyBoxesMessage);
    EXPECT_EQ(kTooManyBoxesMessage, "配置できる命令数は60個までです。これ以上命令を追加できません。");
    EXPECT_EQ(chart.Place(InstructionKind::Start, 0, 0, {}).message, kTooManyBoxesMessage);
    EXPECT_FALSE(chart.Node(0).IsUsed());
}

TEST_F(FlowchartTest, TheBoxThatPassesOneHundredTwentyBytesIsRemovedAgain)
{
    const int waitBytes = CommandSizeOf(InstructionKind::Timer, {0, {10}}, kCurrentGeneration);
    int placed = 0;
    while (chart.TotalBytes() + waitBytes <= kMemoryLimit) {
        PlaceBox(InstructionKind::Timer, 0, placed * 60, {0, {10}});
        ++placed;
    }
    const int before = chart.TotalBytes();
    const QStringList routine = Routine();
    const int undoDepth = static_cast<int>(chart.UndoStack().size());
    // Fill up to exactly 120 with one-byte ends where possible.
    const Flowchart::PlaceResult over = chart.Place(InstructionKind::Timer, 0, 0, {0, {10}});
    EXPECT_EQ(over.message, kByteOverMessage);
    EXPECT_EQ(Routine(), routine);
    EXPECT_EQ(chart.TotalBytes(), before);
    EXPECT_EQ(chart.UndoStack().size(), undoDepth);
    while (chart.TotalBytes() < kMemoryLimit)
        PlaceBox(InstructionKind::End, 500, 0);
    EXPECT_EQ(chart.TotalBytes(), kMemoryLimit);
    EXPECT_EQ(chart.Place(InstructionKind::End, 0, 0, {}).message, kByteOverMessage);
}

TEST_F(FlowchartTest, LinkingMovesArrowsAndIgnoresStartAndEmptySheet)
{
    const int start = PlaceBox(InstructionKind::Start, 0, 0);
    const int a = PlaceBox(InstructionKind::Wait, 0, 100, {0, {1}});
    const int b = PlaceBox(InstructionKind::Wait, 0, 200, {0, {1}});
    const int test = PlaceBox(InstructionKind::If, 200, 100, {0, {0}});

    EXPECT_TRUE(chart.Link(start, Connector::Next, Inside(a)));
    EXPECT_EQ(UndoTexts().last(), "4=0-start-0-0----0,0,0,0,0,0/1-wait-0-100----0,1,0,0,0,0");
    EXPECT_TRUE(chart.Link(start, Connector::Next, Inside(b)));  // the arrow moves
    EXPECT_TRUE(chart.Node(a).preds.isEmpty());
    EXPECT_EQ(chart.Node(b).preds, QList<int> {start});
    EXPECT_FALSE(chart.Link(a, Connector::Next, Inside(start)));
    EXPECT_FALSE(chart.Link(a, Connector::Next, {700, 700}));
    EXPECT_FALSE(chart.Link(a, Connector::Next, {chart.Node(a).x, chart.Node(a).y + 10}));  // on the edge
    EXPECT_TRUE(chart.Link(a, Connector::Next, Inside(a)));  // to itself
    EXPECT_EQ(chart.Node(a).next, a);
    EXPECT_EQ(chart.Node(a).preds, QList<int> {a});

    const qsizetype undoDepth = chart.UndoStack().size();
    EXPECT_TRUE(chart.Link(test, Connector::Branch, Inside(b)));
    EXPECT_EQ(chart.UndoStack().size(), undoDepth);  // a branch arrow records nothing
    EXPECT_EQ(chart.Node(test).branch, b);
    EXPECT_EQ(chart.Node(b).preds, QList<int>({start, test}));
}

TEST_F(FlowchartTest, DeleteClearsEveryLinkToTheDeletedBoxes)
{
    const int start = PlaceBox(InstructionKind::Start, 0, 0);
    const int test = PlaceBox(InstructionKind::If, 0, 100, {0, {0}});
    const int a = PlaceBox(InstructionKind::Wait, 0, 200, {0, {1}});
    const int b = PlaceBox(InstructionKind::Wait, 200, 200, {0, {2}});
    ASSERT_TRUE(chart.Link(start, Connector::Next, Inside(test)));
    ASSERT_TRUE(chart.Link(test, Connector::Next, Inside(a)));
    ASSERT_TRUE(chart.Link(test, Connector::Branch, Inside(b)));
    ASSERT_TRUE(chart.Link(b, Connector::Next, Inside(a)));
    const QStringList before = Routine();

    chart.Press(test);
    chart.DeleteSelection();
    EXPECT_FALSE(chart.Node(test).IsUsed());
    EXPECT_EQ(chart.Node(start).next, kNoSlot);
    EXPECT_EQ(chart.Node(a).preds, QList<int> {b});
    EXPECT_TRUE(chart.Node(b).preds.isEmpty());
    EXPECT_TRUE(chart.Selection().isEmpty());
    const UndoRecord record = chart.UndoStack().last();
    EXPECT_EQ(record.type, UndoType::Delete);
    EXPECT_EQ(record.nodeLines.size(), 4);  // the box, then start, a and b
    EXPECT_EQ(record.nodeLines[0], before[test]);
    EXPECT_EQ(record.nodeLines[1], before[start]);
    const QStringList after = Routine();

    chart.Undo();
    EXPECT_EQ(Routine(), before);
    chart.Redo();
    EXPECT_EQ(Routine(), after);
    chart.Undo();
    EXPECT_EQ(Routine(), before);
}

// Each undo type: the action, undo restores the routine, redo gives the
// action's result again, and a second undo restores it again.
TEST_F(FlowchartTest, UndoRedoRoundTripOfEveryType)
{
    struct Case {
        const char *name;
        UndoType type;
        std::function<void(FlowchartTest &)> action;
    };
    const std::vector<Case> cases = {
        {"place", UndoType::Place,
         [](FlowchartTest &t) {
             t.PlaceBox(InstructionKind::Sound, 300, 300, {1, {2}});
         }},
        {"delete", UndoType::Delete,
         [](FlowchartTest &t) {
             t.chart.Press(1);
             t.chart.DeleteSelection();
         }},
        {"parameters", UndoType::Parameters,
         [](FlowchartTest &t) {
             t.chart.SetParameters(2, {0, {9}});
         }},
        {"next arrow", UndoType::NextArrow,
         [](FlowchartTest &t) { ASSERT_TRUE(t.chart.Link(2, Connector::Next, t.Inside(3))); }},
        {"unlink", UndoType::Unlink,
         [](FlowchartTest &t) {
             t.chart.Press(1);
             t.chart.UnlinkSelection();
         }},
        {"align", UndoType::Align,
         [](FlowchartTest &t) {
             t.chart.SelectBand({0, 0}, {1000, 1000});
             t.chart.Align(AlignMode::Right);
         }},
        {"paste", UndoType::Paste,
         [](FlowchartTest &t) {
             t.chart.SelectBand({0, 90}, {1000, 1090});
             ASSERT_FALSE(t.chart.CopySelection());
             ASSERT_FALSE(t.chart.Paste());
         }},
        {"replace", UndoType::Replace,
         [](FlowchartTest &t) {
             t.chart.Replace(1, InstructionKind::Timer, {0, {5}});
         }},
        {"move", UndoType::Move,
         [](FlowchartTest &t) {
             t.chart.Press(2);
             t.chart.MoveSelection(-500, 40);
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        chart.ClearAll();
        PlaceBox(InstructionKind::Start, 0, 0);
        PlaceBox(InstructionKind::If, 0, 100, {0, {0}});
        PlaceBox(InstructionKind::Wait, 0, 200, {0, {1}});
        PlaceBox(InstructionKind::Wait, 200, 200, {0, {2}});
        ASSERT_TRUE(chart.Link(0, Connector::Next, Inside(1)));
        ASSERT_TRUE(chart.Link(1, Connector::Next, Inside(2)));
        ASSERT_TRUE(chart.Link(1, Connector::Branch, Inside(3)));
        const QStringList before = Routine();
        c.action(*this);
        ASSERT_EQ(chart.UndoStack().last().type, c.type);
        const QStringList after = Routine();
        ASSERT_NE(after, before);
        chart.Undo();
        EXPECT_EQ(Routine(), before);
        EXPECT_EQ(chart.RedoStack().size(), 1);
        chart.Redo();
        EXPECT_EQ(Routine(), after);
        EXPECT_TRUE(chart.RedoStack().isEmpty());
        EXPECT_EQ(chart.UndoStack().last().type, c.type);
        chart.Undo();
        EXPECT_EQ(Routine(), before);
    }
}

TEST_F(FlowchartTest, UndoOfARoutineSwitchAndTheStackEnds)
{
    chart.Undo();  // nothing to undo
    chart.Redo();  // nothing to redo
    PlaceBox(InstructionKind::Start, 0, 0);
    chart.SwitchRoutine(3);
    EXPECT_EQ(UndoTexts().last(), "10=0");
    chart.Undo();
    EXPECT_EQ(chart.CurrentRoutine(), 0);
    EXPECT_EQ(chart.RedoStack().last().Text(), "10=3");
    chart.Redo();
    EXPECT_EQ(chart.CurrentRoutine(), 3);
    EXPECT_EQ(UndoTexts().last(), "10=0");
}

TEST_F(FlowchartTest, SavedMarkerAndTheLimitOfTen)
{
    PlaceBox(InstructionKind::Start, 0, 0);
    chart.MarkSaved();
    EXPECT_EQ(UndoTexts().last(), kSavedMarker);
    chart.Undo();  // drops the marker and undoes the start
    EXPECT_FALSE(chart.Node(0).IsUsed());
    chart.ClearHistory();
    chart.MarkSaved();
    chart.Undo();
    EXPECT_TRUE(chart.UndoStack().isEmpty());
    EXPECT_TRUE(chart.RedoStack().isEmpty());

    for (int i = 0; i < 11; ++i)
        PlaceBox(InstructionKind::Wait, 0, i * 60, {0, {1}});
    EXPECT_EQ(chart.UndoStack().size(), kUndoLimit);
    for (int i = 0; i < 11; ++i)
        chart.Undo();
    EXPECT_TRUE(chart.Node(1).IsUsed());  // the first placing is no longer undoable
    EXPECT_FALSE(chart.Node(2).IsUsed());
    chart.Redo();
    PlaceBox(InstructionKind::Wait, 0, 0, {0, {1}});
    EXPECT_TRUE(chart.RedoStack().isEmpty());
}

TEST_F(FlowchartTest, PressAndBandSelection)
{
    PlaceBox(InstructionKind::Start, 0, 0);
    PlaceBox(InstructionKind::Wait, 200, 0, {0, {1}});
    PlaceBox(InstructionKind::Wait, 0, 200, {0, {1}});
    chart.SelectBand({300, 60}, {99, 49});  // dragged up and left: touches 0 and 1 inside
    EXPECT_EQ(chart.Selection(), QList<int>({0, 1}));
    chart.SelectBand({100, 0}, {200, 10});  // touches the edges only
    EXPECT_TRUE(chart.Selection().isEmpty());
    chart.SelectBand({0, 0}, {400, 400});
    chart.Press(2);
    EXPECT_EQ(chart.Selection(), QList<int>({0, 1, 2}));
    EXPECT_EQ(chart.CurrentNode(), 2);
    chart.ClearSelection();
    chart.Press(2);
    EXPECT_EQ(chart.Selection(), QList<int> {2});
}

TEST_F(FlowchartTest, MovingKeepsBoxesInsideTheVisibleEdge)
{
    PlaceBox(InstructionKind::Start, 100, 100);
    PlaceBox(InstructionKind::Wait, 300, 300, {0, {1}});
    chart.SelectBand({0, 0}, {1000, 1000});
    chart.MoveSelection(-150, 20, 0, 50);
    EXPECT_EQ(QPoint(chart.Node(0).x, chart.Node(0).y), QPoint(0, 120));
    EXPECT_EQ(QPoint(chart.Node(1).x, chart.Node(1).y), QPoint(150, 320));
    chart.MoveSelection(0, -500, 0, 50);
    EXPECT_EQ(chart.Node(0).y, 50);
    EXPECT_EQ(UndoTexts().last(), "9=0-start-0-120----0,0,0,0,0,0/1-wait-150-320----0,1,0,0,0,0");
}

TEST(AlignRounding, HalvesGoToTheEvenNumber)
{
    const std::pair<double, int> cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {2.4, 2}, {2.6, 3}, {-0.5, 0}, {-1.5, -2}};
    for (const auto &[value, rounded] : cases)
        EXPECT_EQ(RoundHalfEven(value), rounded) << value;
}

TEST_F(FlowchartTest, AlignCommands)
{
    struct Case {
        AlignMode mode;
        QList<QPoint> corners;
    };
    // Boxes at x 0, 45, 11 and y 0, 5, 101 (selected in that order).
    const Case cases[] = {
        {AlignMode::Left, {{0, 0}, {0, 5}, {0, 101}}},
        {AlignMode::CentreHorizontal, {{22, 0}, {22, 5}, {22, 101}}},  // 22.5 to even
        {AlignMode::Right, {{45, 0}, {45, 5}, {45, 101}}},
        {AlignMode::SpreadHorizontal, {{0, 0}, {44, 5}, {22, 101}}},  // step 22.5 -> 22
        {AlignMode::Top, {{0, 0}, {45, 0}, {11, 0}}},
        {AlignMode::CentreVertical, {{0, 50}, {45, 50}, {11, 50}}},  // 50.5 to even
        {AlignMode::Bottom, {{0, 101}, {45, 101}, {11, 101}}},
        {AlignMode::SpreadVertical, {{0, 0}, {45, 50}, {11, 100}}},  // step 50.5 -> 50
    };
    for (const Case &c : cases) {
        chart.ClearAll();
        PlaceBox(InstructionKind::Start, 0, 0);
        PlaceBox(InstructionKind::Wait, 45, 5, {0, {1}});
        PlaceBox(InstructionKind::Wait, 11, 101, {0, {1}});
        chart.SelectBand({0, 0}, {500, 500});
        chart.Align(c.mode);
        QList<QPoint> corners;
        for (int slot = 0; slot < 3; ++slot)
            corners << QPoint(chart.Node(slot).x, chart.Node(slot).y);
        EXPECT_EQ(corners, c.corners) << static_cast<int>(c.mode);
        EXPECT_EQ(chart.UndoStack().last().type, UndoType::Align);
        // No box pressed since the clear: the selection stays.
        EXPECT_EQ(chart.Selection().size(), 3);
    }
    chart.Press(1);
    chart.Press(2);
    chart.SelectBand({0, 0}, {500, 500});
    chart.Align(AlignMode::Left);
    EXPECT_TRUE(chart.Selection().isEmpty());
}

TEST_F(FlowchartTest, SpreadingTwoBoxesChangesNothingButIsRecorded)
{
    PlaceBox(InstructionKind::Start, 0, 0);
    PlaceBox(InstructionKind::Wait, 300, 37, {0, {1}});
    const QStringList before = Routine();
    const qsizetype depth = chart.UndoStack().size();
    chart.SelectBand({0, 0}, {500, 500});
    chart.Align(AlignMode::SpreadHorizontal);
    EXPECT_EQ(Routine(), before);
    EXPECT_EQ(chart.UndoStack().size(), depth + 1);
    chart.Press(1);
    chart.ClearSelection();
    chart.Press(1);
    chart.Align(AlignMode::Top);  // a single box
    EXPECT_EQ(Routine(), before);
}

TEST_F(FlowchartTest, CopyAndPaste)
{
    EXPECT_EQ(chart.CopySelection(), kNothingToCopyMessage);
    EXPECT_EQ(chart.Paste(), kNothingToPasteMessage);
    const int start = PlaceBox(InstructionKind::Start, 0, 0);
    const int test = PlaceBox(InstructionKind::If, 0, 100, {0, {0}});
    const int a = PlaceBox(InstructionKind::Wait, 0, 200, {0, {1}});
    const int b = PlaceBox(InstructionKind::Wait, 200, 200, {0, {2}});
    const int outside = PlaceBox(InstructionKind::End, 0, 300);
    ASSERT_TRUE(chart.Link(start, Connector::Next, Inside(test)));
    ASSERT_TRUE(chart.Link(test, Connector::Next, Inside(a)));
    ASSERT_TRUE(chart.Link(test, Connector::Branch, Inside(b)));
    ASSERT_TRUE(chart.Link(a, Connector::Next, Inside(outside)));

    chart.SelectBand({0, 0}, {1000, 250});
    ASSERT_FALSE(chart.CopySelection());
    EXPECT_EQ(chart.Paste(), kStartInClipboardMessage);

    chart.SelectBand({0, 90}, {1000, 250});  // test, a, b
    ASSERT_FALSE(chart.CopySelection());
    chart.SwitchRoutine(2);
    ASSERT_FALSE(chart.Paste());
    EXPECT_EQ(chart.Node(1), (FlowNode {1, "if", 100, 150, {}, 2, 3, "0,0,0,0,0,0"}));
    EXPECT_EQ(chart.Node(2), (FlowNode {2, "wait", 100, 250, {1}, kNoSlot, kNoSlot, "0,1,0,0,0,0"}));  // to end dropped
    EXPECT_EQ(chart.Node(3).preds, QList<int> {1});
    EXPECT_EQ(chart.UndoStack().last().type, UndoType::Paste);
    EXPECT_EQ(chart.UndoStack().last().nodeLines.size(), 3);

    // Sources deleted since the copy give no box and no message.
    chart.SwitchRoutine(0);
    chart.Press(a);
    chart.DeleteSelection();
    ASSERT_FALSE(chart.Paste());
    EXPECT_TRUE(chart.Node(a).IsUsed());  // the new if took the free slot 2 ...
    EXPECT_EQ(chart.Node(a).kind, "if");
    EXPECT_EQ(chart.Node(a).next, kNoSlot);
    EXPECT_EQ(chart.Node(a).branch, 5);  // ... and b its copy in slot 5
    EXPECT_FALSE(chart.Node(6).IsUsed());
    EXPECT_TRUE(chart.Selection().isEmpty());
}

TEST_F(FlowchartTest, PasteStopsAtTheLimitsKeepingWhatWasPlaced)
{
    PlaceBox(InstructionKind::Start, 0, 0);
    for (int i = 1; i < kRoutineSlots - 1; ++i)
        PlaceBox(InstructionKind::End, 0, i * 10);
    chart.Press(1);
    ASSERT_FALSE(chart.CopySelection());
    ASSERT_FALSE(chart.Paste());
    EXPECT_TRUE(chart.Node(59).IsUsed());
    const qsizetype depth = chart.UndoStack().size();
    EXPECT_EQ(chart.Paste(), kTooManyBoxesMessage);
    EXPECT_EQ(chart.UndoStack().size(), depth);
}

TEST_F(FlowchartTest, ReplaceKeepsPlaceAndLinksAndDropsAnIfBranch)
{
    const int test = PlaceBox(InstructionKind::If, 0, 100, {0, {0}});
    const int a = PlaceBox(InstructionKind::Wait, 200, 200, {0, {1}});
    ASSERT_TRUE(chart.Link(test, Connector::Branch, Inside(a)));
    ASSERT_TRUE(chart.Link(test, Connector::Next, Inside(a)));
    chart.Replace(test, InstructionKind::Start, {3, {3}});  // a second start, no message
    EXPECT_EQ(chart.Node(test), (FlowNode {test, "start", 0, 100, {}, a, kNoSlot, "0,0,0,0,0,0"}));
    EXPECT_EQ(chart.Node(a).preds, QList<int> {test});
    EXPECT_EQ(chart.UndoStack().last().type, UndoType::Replace);
}

TEST_F(FlowchartTest, ClearAllAndTheSection)
{
    PlaceBox(InstructionKind::Start, 0, 0);
    PlaceBox(InstructionKind::Routine, 0, 100, {0, {2}});
    ASSERT_TRUE(chart.Link(0, Connector::Next, Inside(1)));
    chart.SetSubroutineName(2, "たいまーをつかうながいなまえです");
    EXPECT_EQ(chart.SubroutineName(2).size(), kSubroutineNameLimit);
    chart.SwitchRoutine(2);
    PlaceBox(InstructionKind::Start, 10, 10);

    const QStringList section = chart.SectionLines();
    ASSERT_EQ(section.size(), 305);
    EXPECT_EQ(section.mid(0, 5), QStringList({"SUB", "", chart.SubroutineName(2), "", ""}));
    EXPECT_EQ(section[5], "0-start-0-0--1--0,0,0,0,0,0");
    EXPECT_EQ(section[6], "1-routine-0-100-0---0,2,0,0,0,0");
    EXPECT_EQ(section[7], "0--0-0----");
    EXPECT_EQ(section[5 + 120], "0-start-10-10----0,0,0,0,0,0");

    Flowchart back;
    ASSERT_TRUE(back.LoadSection(section));
    EXPECT_EQ(back.SectionLines(), section);
    EXPECT_EQ(back.TotalBytes(), chart.TotalBytes());
    EXPECT_EQ(back.NodeCount(), 3);

    for (const int damaged : {0, 6, 304}) {
        QStringList bad = section;
        bad[damaged] = "x";
        EXPECT_FALSE(back.LoadSection(bad)) << damaged;
        EXPECT_EQ(back.SectionLines(), section);
    }
    EXPECT_FALSE(back.LoadSection(section.mid(0, 304)));

    chart.ClearAll();
    EXPECT_EQ(chart.SectionLines(), QStringList({"SUB", "", "", "", ""}) + QStringList(300, "0--0-0----"));
    EXPECT_EQ(chart.CurrentRoutine(), 0);
    EXPECT_EQ(chart.CurrentNode(), kNoSlot);
    EXPECT_TRUE(chart.UndoStack().isEmpty());
    EXPECT_EQ(chart.Paste(), kNothingToPasteMessage);
}

TEST(RoutinePicture, FromTheSheetCornerToTheFarthestBoxAndItsMargin)
{
    Flowchart chart;
    chart.SwitchRoutine(1);
    ASSERT_EQ(chart.Place(InstructionKind::Wait, 400, 300, {0, {1}}).slot, 1);
    EXPECT_EQ(RoutinePictureRect(chart, 1), QRect(0, 0, 535, 385));
}

}  // namespace
}  // namespace kq::testing
