#include "tools/melody/melody.h"
#include "tools/melody/melody_bytes.h"

#include <gtest/gtest.h>

namespace kq {
namespace {

Melody WithQuarters(int count)
{
    Melody melody;
    for (int i = 0; i < count; ++i)
        EXPECT_TRUE(melody.Append({i % kWhiteKeyCount, false}));
    return melody;
}

TEST(MelodyTest, EmptyMelodyBytesAreTheSixteenHeaderBytes)
{
    EXPECT_EQ(MelodyBytes(Melody()),
              (ByteList {201, 201, 201, 201, 201, 201, 201, 201, 201, 201, 201, 201, 201, 193, 2, 0}));
}

TEST(MelodyTest, AppendedNotesAndTheirBytes)
{
    struct Case {
        KeyChoice key;
        int length;
        MelodyNote stored;
        int byte;
    };
    const Case cases[] = {
        {{0, false}, 2, {0, 2, 0, 80, 40}, 74},
        {{0, true}, 2, {0, 2, 1, 80, 40}, 75},
        {{kRestKey, false}, 1, {kRestKey, 1, 0, 80, 0}, 186},
        {{21, false}, 4, {21, 4, 0, 80, -44}, 184},
        {{14, false}, 2, {14, 2, 0, 80, -16}, 98},
    };
    for (const Case &c : cases) {
        Melody melody;
        melody.SetCurrentLength(c.length);
        ASSERT_TRUE(melody.Append(c.key));
        EXPECT_EQ(melody.Note(0), c.stored) << c.key.key;
        EXPECT_EQ(MelodyNoteBytes(melody), ByteList {c.byte}) << c.key.key;
        EXPECT_EQ(melody.NextX(), 80 + LengthWidth(c.length));
    }
}

TEST(MelodyTest, LedBytesLinkAndSpeed)
{
    Melody melody;
    melody.SetLedColour(4, 0);
    melody.SetLedColour(12, 6);
    melody.SetLedLink(true);
    melody.SetSpeed(MelodySpeed::Double);
    const ByteList bytes = MelodyBytes(melody);
    EXPECT_EQ(bytes[4], 194);
    EXPECT_EQ(bytes[12], 200);
    EXPECT_EQ(bytes.mid(13), (ByteList {192, 3, 0}));
    melody.SetSpeed(MelodySpeed::Half);
    EXPECT_EQ(MelodyBytes(melody)[14], 1);
}

TEST(MelodyTest, TheHundredAndEleventhNoteAndAnInsertIntoAFullMelodyAreRefused)
{
    Melody melody = WithQuarters(kMelodySlots);
    const QList<MelodyNote> before = melody.Notes();
    EXPECT_FALSE(melody.Append({3, false}));
    EXPECT_FALSE(melody.InsertBefore(5, {3, false}, 1));
    EXPECT_EQ(melody.Notes(), before);
    EXPECT_EQ(melody.NextX(), 80 + 90 * kMelodySlots);
}

TEST(MelodyTest, InsertEditAndLengthChangeShiftTheLaterNotes)
{
    Melody melody = WithQuarters(3);  // x 80, 170, 260
    ASSERT_TRUE(melody.InsertBefore(1, {5, true}, 0));
    EXPECT_EQ(melody.Note(1), (MelodyNote {5, 0, 1, 170, 20}));
    EXPECT_EQ(melody.Note(2).x, 200);
    EXPECT_EQ(melody.Note(3).x, 290);
    EXPECT_EQ(melody.NextX(), 380);

    ASSERT_TRUE(melody.Edit(1, {kRestKey, false}, 4));
    EXPECT_EQ(melody.Note(1), (MelodyNote {kRestKey, 4, 0, 170, 0}));
    EXPECT_EQ(melody.Note(2).x, 320);
    EXPECT_EQ(melody.NextX(), 500);

    ASSERT_TRUE(melody.ChangeLength(0, 1));
    EXPECT_EQ(melody.Note(1).x, 140);
    EXPECT_EQ(melody.NextX(), 470);
    EXPECT_EQ(melody.UndoEntries(),
              (QStringList {"1=0:2+0+0+80+40", "1=1:2+1+0+170+36", "1=2:2+2+0+260+32", "3=1:0+5+1+170+20",
                            "4=1:0+5+1+170+20/1:4+185+0+170+0", "5=0:2+0+0+80+40/0:1+0+0+80+40"}));
}

TEST(MelodyTest, DeletingTheOnlyNoteAndTheLastOfAFullMelody)
{
    Melody one = WithQuarters(1);
    ASSERT_TRUE(one.Delete(0));
    EXPECT_EQ(one.Count(), 0);
    EXPECT_EQ(one.NextX(), 80);
    EXPECT_EQ(one.UndoEntries().last(), "2=0:2+0+0+80+40");

    Melody full = WithQuarters(kMelodySlots);
    ASSERT_TRUE(full.Delete(kMelodySlots - 1));
    EXPECT_EQ(full.Count(), kMelodySlots - 1);
    EXPECT_EQ(full.Note(kMelodySlots - 1), MelodyNote {});
    EXPECT_TRUE(full.Append({1, false}));

    Melody three = WithQuarters(3);
    ASSERT_TRUE(three.Delete(0));
    EXPECT_EQ(three.Note(0), (MelodyNote {1, 2, 0, 80, 36}));
    EXPECT_EQ(three.Note(1).x, 170);
    EXPECT_FALSE(three.Delete(2));
}

TEST(MelodyTest, UndoAndRedoReverseEveryKindOfEdit)
{
    Melody melody = WithQuarters(3);
    const QList<MelodyNote> start = melody.Notes();
    ASSERT_TRUE(melody.InsertBefore(0, {2, false}, 4));
    ASSERT_TRUE(melody.Edit(2, {kRestKey, false}, 0));
    ASSERT_TRUE(melody.ChangeLength(3, 3));
    ASSERT_TRUE(melody.Delete(1));
    const QList<MelodyNote> end = melody.Notes();
    const int endX = melody.NextX();

    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(melody.Undo());
    EXPECT_EQ(melody.Notes(), start);
    EXPECT_EQ(melody.NextX(), 350);
    EXPECT_EQ(melody.RedoEntries().size(), 4);

    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(melody.Redo());
    EXPECT_EQ(melody.Notes(), end);
    EXPECT_EQ(melody.NextX(), endX);
    EXPECT_FALSE(melody.Redo());
    EXPECT_EQ(melody.UndoEntries().size(), 7);
}

TEST(MelodyTest, RedoKeepsTheRedoListAndDoesNotTrimTheUndoList)
{
    Melody melody = WithQuarters(kHistoryLimit);
    EXPECT_TRUE(melody.Undo());
    EXPECT_TRUE(melody.Undo());
    EXPECT_TRUE(melody.Redo());
    EXPECT_EQ(melody.RedoEntries().size(), 1);
    melody.MarkSaved();  // a new entry: the redo list goes
    EXPECT_TRUE(melody.RedoEntries().isEmpty());
    EXPECT_EQ(melody.UndoEntries().size(), kHistoryLimit);
}

TEST(MelodyTest, UndoAfterSavingUndoesTheEditBeforeTheMarker)
{
    Melody melody = WithQuarters(2);
    melody.MarkSaved();
    EXPECT_TRUE(melody.IsMarkedSaved());
    EXPECT_TRUE(melody.Undo());
    EXPECT_EQ(melody.Count(), 1);
    EXPECT_EQ(melody.UndoEntries(), QStringList {"1=0:2+0+0+80+40"});

    Melody marked;
    marked.MarkSaved();
    EXPECT_FALSE(marked.Undo());
    EXPECT_TRUE(marked.UndoEntries().isEmpty());
    EXPECT_TRUE(marked.RedoEntries().isEmpty());
}

TEST(MelodyTest, ElevenEditsLeaveTheFirstNoLongerUndoable)
{
    Melody melody = WithQuarters(11);
    EXPECT_EQ(melody.UndoEntries().size(), kHistoryLimit);
    for (int i = 0; i < kHistoryLimit; ++i)
        EXPECT_TRUE(melody.Undo());
    EXPECT_FALSE(melody.Undo());
    EXPECT_EQ(melody.Count(), 1);
}

TEST(MelodyTest, ResetReturnsToTheInitialState)
{
    Melody melody = WithQuarters(4);
    melody.SetLedColour(3, 2);
    melody.SetLedLink(true);
    melody.SetCurrentLength(0);
    melody.SetSpeed(MelodySpeed::Half);
    melody.Reset();
    EXPECT_EQ(melody.Count(), 0);
    EXPECT_EQ(melody.NextX(), 80);
    EXPECT_EQ(melody.LedColour(3), kLedOff);
    EXPECT_FALSE(melody.LedLink());
    EXPECT_EQ(melody.CurrentLength(), kQuarterLength);
    EXPECT_TRUE(melody.UndoEntries().isEmpty());
}

QStringList Dump(const ByteList &fromStart, const ByteList &notes, qsizetype lead = 3)
{
    QStringList dump;
    for (qsizetype i = 0; i < lead; ++i)
        dump.append("FF");
    ByteList memory(256, 0xFF);
    for (qsizetype i = 0; i < fromStart.size(); ++i)
        memory[i] = fromStart[i];
    for (qsizetype i = 0; i < notes.size(); ++i)
        memory[144 + i] = notes[i];
    for (int byte : memory)
        dump.append(QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper());
    return dump;
}

ByteList ProgramAndHeader(const ByteList &header)
{
    ByteList memory {230, 2, 231};
    memory.resize(128, 0xFF);
    return memory + header;
}

TEST(MelodyReadBackTest, DecodesHeaderAndNotesFromTheFirstStartByte)
{
    const ByteList header {194, 195, 196, 197, 198, 199, 200, 201, 194, 195, 196, 197, 198, 192, 3, 0};
    const std::optional<Melody> melody =
        DecodeMelodyMemory(Dump(ProgramAndHeader(header), {74, 0xFF, 186, 75, 0xFF, 0xFA, 74}));
    ASSERT_TRUE(melody);
    EXPECT_EQ(melody->Notes(), (QList<MelodyNote> {{0, 2, 0, 80, 40}, {kRestKey, 1, 0, 170, 0}, {0, 2, 1, 230, 40}}));
    EXPECT_EQ(melody->NextX(), 320);
    EXPECT_EQ(melody->LedColour(0), 0);
    EXPECT_EQ(melody->LedColour(12), 4);
    EXPECT_TRUE(melody->LedLink());
    EXPECT_EQ(melody->Speed(), MelodySpeed::Double);
    EXPECT_EQ(MelodyBytes(*melody).mid(0, 16), header);
}

TEST(MelodyReadBackTest, RoundTripOfEveryNoteByteAndTheLimits)
{
    ByteList notes;
    for (int byte = 0; byte < 110; ++byte)
        notes.append(byte * 5 % 190);
    const std::optional<Melody> melody = DecodeMelodyMemory(Dump(ProgramAndHeader({}), notes));
    ASSERT_TRUE(melody);
    EXPECT_EQ(MelodyNoteBytes(*melody), notes);
    EXPECT_EQ(melody->Speed(), MelodySpeed::Half);  // FF is no speed byte
    EXPECT_EQ(melody->LedColour(5), kLedOff);
    EXPECT_FALSE(melody->LedLink());

    // Bytes that are no note of any length are passed over like FF.
    const std::optional<Melody> odd = DecodeMelodyMemory(Dump(ProgramAndHeader({}), {222, 190, 74, 0xFA}));
    ASSERT_TRUE(odd);
    EXPECT_EQ(MelodyNoteBytes(*odd), ByteList {74});
}

TEST(MelodyReadBackTest, NoStartByteOrADumpEndingBeforeTheNotesGivesNothing)
{
    EXPECT_FALSE(DecodeMelodyMemory({"FF", "00", "12"}));
    QStringList shortDump {"E6"};
    for (int i = 0; i < 141; ++i)
        shortDump.append("C1");
    EXPECT_FALSE(DecodeMelodyMemory(shortDump));
    shortDump.append("02");
    const std::optional<Melody> header = DecodeMelodyMemory(shortDump);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->Count(), 0);
    EXPECT_EQ(header->Speed(), MelodySpeed::Standard);
    EXPECT_EQ(header->LedColour(0), kLedOff);
}

}  // namespace
}  // namespace kq
