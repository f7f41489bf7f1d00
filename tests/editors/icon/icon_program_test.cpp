#include "editors/icon/icon_program.h"
#include "model/encoder.h"

#include <gtest/gtest.h>

namespace kq {
namespace {

constexpr int kGen4 = kCurrentGeneration;
constexpr int kGen3 = kOlderGeneration;

IconRow RowOf(std::initializer_list<IconSlot> contents)
{
    IconRow row;
    int next = 0;
    for (const IconSlot &slot : contents)
        row.Set(next++, slot);
    return row;
}

IconRow FullRow()
{
    IconRow row;
    for (int slot = 0; slot < kIconSlotCount; ++slot)
        row.Drop(slot % 7, slot, kGen4);
    return row;
}

TEST(IconRowTools, InsertOnSlotZeroOfAFullRowLosesSlot23)
{
    IconRow row = FullRow();
    row.Copy(5);
    row.Drop(kInsertToolIcon, 0, kGen4);
    EXPECT_FALSE(row.At(0));
    for (int slot = 1; slot < kIconSlotCount; ++slot)
        EXPECT_EQ(row.At(slot)->icon, (slot - 1) % 7) << slot;
    EXPECT_FALSE(row.CopySource());
}

TEST(IconRowTools, DeleteShiftsLeftAndEmptiesTheLastSlot)
{
    IconRow row = FullRow();
    row.Drop(kDeleteToolIcon, 23, kGen4);
    EXPECT_FALSE(row.At(23));
    EXPECT_EQ(row.At(22)->icon, 22 % 7);

    row = FullRow();
    row.SetValue(3, 40);
    row.Drop(kDeleteToolIcon, 2, kGen4);
    EXPECT_EQ(row.At(2)->icon, 3);
    EXPECT_EQ(row.At(2)->value, 40);  // settings move with the icon
    EXPECT_FALSE(row.At(23));
}

TEST(IconRowTools, DropOutsideTheRowChangesNothing)
{
    IconRow row = FullRow();
    const IconRow before = row;
    row.Drop(0, 24, kGen4);
    row.Drop(kInsertToolIcon, -1, kGen4);
    row.Drop(25, 3, kGen4);
    EXPECT_EQ(row, before);
}

TEST(IconRowSettings, ChoiceRecolourAndPaste)
{
    IconRow row;
    row.Drop(0, 0, kGen4);
    row.SetValue(0, 9);
    ASSERT_TRUE(row.SetChoice(0, 1));  // fade in: the slider goes
    EXPECT_EQ(row.At(0), (IconSlot{0, 1, std::nullopt}));
    ASSERT_TRUE(row.SetChoice(0, 0));  // back to lit: the slider starts again
    EXPECT_EQ(row.At(0), (IconSlot{0, 0, 1}));

    // A fade turned off: "LED消灯" with a new time slider.
    row.SetChoice(0, 1);
    row.Recolour(0, kLampOffIcon);
    EXPECT_EQ(row.At(0), (IconSlot{kLampOffIcon, 0, 1}));
    // Off to a colour: lit, the time stays.
    row.SetValue(0, 12);
    row.Recolour(0, 3);
    EXPECT_EQ(row.At(0), (IconSlot{3, 0, 12}));
    // Between colours the fade stays a fade.
    row.SetChoice(0, 2);
    row.Recolour(0, 5);
    EXPECT_EQ(row.At(0), (IconSlot{5, 2, std::nullopt}));

    row.Copy(0);
    row.Paste(4);
    EXPECT_EQ(row.At(4), row.At(0));
    // The source emptied since: the paste empties the target, and nothing fails.
    row.Drop(kDeleteToolIcon, 0, kGen4);
    row.Paste(4);
    EXPECT_FALSE(row.At(4));
}

TEST(IconProgram, LinesBytesMemoryAndReport)
{
    struct Case {
        IconSlot slot;
        int generation;
        QString line;
        ByteList bytes;  // before the next address
        int memory;
        QString report;
    };
    const Case cases[] = {
        {{0, 0, 6}, kGen4, "2,0,255,0,0,6,0", {126, 0, 1, 128}, 5, "0,フルカラーLED赤色点灯1.5秒"},
        {{6, 1, {}}, kGen4, "2,1,255,255,255,4,0", {131, 127, 255, 228}, 5, "6,フルカラーLED白色フェードイン"},
        {{2, 2, {}}, kGen4, "2,2,0,0,255,4,0", {132, 0, 7, 228}, 5, "2,フルカラーLED青色フェードアウト"},
        {{7, 0, 4}, kGen4, "2,0,0,0,0,4,0", {0, 0, 1, 0}, 5, "7,フルカラーLED消灯点灯1秒"},
        {{8, 0, 2}, kGen4, "4,0,100,2,0,0,0", {140, 100, 2}, 4, "8,バックライト点灯0.5秒"},
        {{9, 0, {}}, kGen4, "7,0,0,0,0,0,0", {170}, 2, "9,音入力があるまで停止"},
        {{10, 0, {}}, kGen4, "7,1,0,0,0,0,0", {171}, 2, "10,SW入力があるまで停止"},
        {{11, 0, 60}, kGen4, "7,2,60,0,0,0,0", {177, 60}, 3, "11,明るくなるまで停止"},
        {{11, 0, {}}, kGen3, "7,2,0,0,0,0,0", {172}, 2, "11,明るくなるまで停止"},
        {{12, 0, 50}, kGen4, "7,3,50,0,0,0,0", {178, 50}, 3, "12,暗くなるまで停止"},
        {{12, 0, {}}, kGen3, "7,3,0,0,0,0,0", {173}, 2, "12,暗くなるまで停止"},
        {{13, 0, 30}, kGen4, "7,4,30,0,0,0,0", {174, 30}, 3, "13,設定温度になるまで停止30度"},
        {{14, 0, {}}, kGen4, "7,5,0,0,0,0,0", {175}, 2, "14,信号入力があるまで停止"},
        {{15, 0, 3}, kGen4, "9,0,3,0,0,0,0", {190, 3}, 3, "15,繰り返し開始3回"},
        {{16, 0, {}}, kGen4, "9,1,0,0,0,0,0", {191}, 2, "16,繰り返し終了"},
        {{17, 0, 10}, kGen4, "6,0,10,0,0,0,0", {160, 10}, 3, "17,タイマー10秒"},
        {{18, 1, {}}, kGen4, "5,1,0,0,0,0,0", {151}, 2, "18,確認音 2"},
        {{18, 3, {}}, kGen4, "5,3,0,0,0,0,0", {153}, 2, "18,音プログラム再生"},
        {{19, 0, {}}, kGen4, "12,0,0,0,0,0,0", {210}, 2, "19,信号出力"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        const IconRow row = RowOf({c.slot});
        EXPECT_EQ(IconProgramLines(row, c.generation), (QStringList{"START", c.line, "END"}));
        ByteList expected{230, 2};
        expected += c.bytes;
        expected += QList<int>{2 + c.memory, 231, 0};
        EXPECT_EQ(EncodeIconRow(row, c.generation), expected);
        EXPECT_EQ(IconMemoryCount(row, c.generation), c.memory);
        EXPECT_EQ(IconReportEntries(row), QStringList{c.report});
    }
}

TEST(IconProgram, SmallestStreamAndRunningAddresses)
{
    IconRow row;
    row.Drop(kToneIcon, 5, kGen4);
    EXPECT_EQ(EncodeIconRow(row, kGen4), (ByteList{230, 2, 150, 4, 231, 0}));
    EXPECT_EQ(EncodeIconRow(IconRow(), kGen4), (ByteList{230, 2, 231, 0}));

    row.Drop(kTimerIcon, 9, kGen4);
    row.Drop(8, 20, kGen4);
    EXPECT_EQ(EncodeIconRow(row, kGen4), (ByteList{230, 2, 150, 4, 160, 1, 7, 140, 100, 1, 11, 231, 0}));
}

TEST(IconProgram, FullRowOfLampsCountsExactly120)
{
    EXPECT_EQ(IconMemoryCount(FullRow(), kGen4), kMemoryLimit);
    EXPECT_EQ(EncodeIconRow(FullRow(), kGen4).size(), 2 + 120 + 2);
}

TEST(IconProgram, LoopCheck)
{
    const IconSlot start{kRepeatStartIcon, 0, 2};
    const IconSlot end{kRepeatEndIcon, 0, {}};
    const IconSlot tone{kToneIcon, 0, {}};
    struct Case {
        IconRow row;
        bool valid;
    };
    const Case cases[] = {
        {RowOf({start, tone, end}), true},
        {RowOf({start, end, start, tone, end}), true},
        {RowOf({end, tone, start}), false},
        {RowOf({start, start, end}), false},
        {RowOf({start, tone}), false},
        {RowOf({tone, end}), false},
        {IconRow(), true},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CheckIconLoops(c.row), c.valid) << IconProgramLines(c.row, kGen4).join(' ').toStdString();
}

QStringList Program(const QStringList &lines)
{
    return QStringList{"START"} + lines + QStringList{"END"};
}

TEST(LinesToIcons, AcceptsEveryInstructionAnIconShows)
{
    const QStringList lines = {
        "2,0,255,0,0,6,0", "2,1,0,255,255,4,0", "2,2,255,0,255,4,0", "2,0,0,0,0,3,0", "4,0,100,7,0,0,0",
        "5,0,0,0,0,0,0",   "5,3,0,0,0,0,0",     "6,0,20,0,0,0,0",    "7,0,0,0,0,0,0", "7,1,0,0,0,0,0",
        "7,2,70,0,0,0,0",  "7,3,20,0,0,0,0",    "7,4,33,0,0,0,0",    "7,5,0,0,0,0,0", "9,0,5,0,0,0,0",
        "9,1,0,0,0,0,0",   "12,0,0,0,0,0,0",
    };
    const IconLinesResult result = LinesToIcons(Program(lines), kGen4);
    ASSERT_TRUE(result.row) << result.refusal.toStdString();
    EXPECT_EQ(result.row->At(0), (IconSlot{0, 0, 6}));
    EXPECT_EQ(result.row->At(1), (IconSlot{5, 1, std::nullopt}));
    EXPECT_EQ(result.row->At(3), (IconSlot{kLampOffIcon, 0, 3}));
    EXPECT_EQ(result.row->At(10), (IconSlot{kWaitBrightIcon, 0, 70}));
    EXPECT_EQ(result.row->At(16), (IconSlot{kSignalOutputIcon, 0, std::nullopt}));
    EXPECT_FALSE(result.row->At(17));
    // The way back gives the same lines.
    EXPECT_EQ(IconProgramLines(*result.row, kGen4), Program(lines));

    const IconLinesResult older = LinesToIcons(Program({"7,2,0,0,0,0,0"}), kGen3);
    ASSERT_TRUE(older.row);
    EXPECT_EQ(older.row->At(0), (IconSlot{kWaitBrightIcon, 0, std::nullopt}));
}

TEST(LinesToIcons, RefusesWhatNoIconShows)
{
    const QStringList refused = {
        "2,1,0,0,0,4,0",  "2,2,0,0,0,4,0",    "2,0,128,0,0,4,0", "3,0,1,0,0,0,0",  "3,1,0,0,0,0,0",
        "4,0,50,4,0,0,0", "4,1,0,0,0,0,0",    "5,4,0,0,0,0,0",   "5,5,0,0,0,0,0",  "6,1,5,0,0,0,0",
        "6,5,5,25,0,0,0", "7,6,0,0,0,0,0",    "8,0,0,0,0,0,0",   "11,0,0,0,0,0,0", "12,1,5,0,0,0,0",
        "12,6,0,0,0,0,0", "13,0,10,10,0,0,0", "10,0,1,0,0,0,0",  "21,0,0,0,0,0,0", "rubbish",
    };
    for (const QString &line : refused) {
        const IconLinesResult result = LinesToIcons(Program({"5,0,0,0,0,0,0", line}), kGen4);
        EXPECT_FALSE(result.row) << line.toStdString();
        EXPECT_EQ(result.refusal, kIconForeignInstructionMessage);
    }
}

TEST(LinesToIcons, MoreInstructionsThanSlotsAreRefused)
{
    const IconLinesResult fits = LinesToIcons(Program(QStringList(24, "5,0,0,0,0,0,0")), kGen4);
    ASSERT_TRUE(fits.row);
    EXPECT_TRUE(fits.row->At(23));

    const IconLinesResult thirty = LinesToIcons(Program(QStringList(30, "5,0,0,0,0,0,0")), kGen4);
    EXPECT_FALSE(thirty.row);
    EXPECT_EQ(thirty.refusal, kIconForeignInstructionMessage);
}

}  // namespace
}  // namespace kq
