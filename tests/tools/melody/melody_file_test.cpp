#include "tools/melody/melody_file.h"

#include <gtest/gtest.h>

namespace kq {
namespace {

Melody Sample()
{
    Melody melody;
    melody.SetLedLink(true);
    melody.SetLedColour(0, 3);
    melody.SetSpeed(MelodySpeed::Double);
    EXPECT_TRUE(melody.Append({14, false}));
    melody.SetCurrentLength(4);
    EXPECT_TRUE(melody.Append({kRestKey, false}));
    EXPECT_TRUE(melody.Append({4, true}));
    return melody;
}

TEST(MelodyFileTest, LinesOfAMelody)
{
    const QStringList lines = MelodyFileLines(Sample());
    ASSERT_EQ(lines.size(), kMelodyFileLines);
    EXPECT_EQ(lines.mid(0, 4), (QStringList {"SOUND", "ON", "3", "7"}));
    EXPECT_EQ(lines.mid(14, 7),
              (QStringList {"7", "SPEED", "1", "DATA", "14,2,0,80,-16", "185,4,0,170,0", "4,4,1,320,24"}));
    EXPECT_EQ(lines[21], "");
    EXPECT_EQ(lines.last(), "");

    const QStringList plain = MelodyFileLines(Melody());
    EXPECT_EQ(plain[1], "OFF");
    EXPECT_EQ(plain[16], "2");
}

TEST(MelodyFileTest, ReadingGivesTheMelodyBackWithAnEmptyHistory)
{
    const MelodyFileRead read = ReadMelodyFile(MelodyFileLines(Sample()));
    ASSERT_EQ(read.result, MelodyFileRead::Result::Loaded);
    EXPECT_EQ(read.melody.Notes(), Sample().Notes());
    EXPECT_EQ(read.melody.NextX(), Sample().NextX());
    EXPECT_TRUE(read.melody.LedLink());
    EXPECT_EQ(read.melody.LedColour(0), 3);
    EXPECT_EQ(read.melody.Speed(), MelodySpeed::Double);
    EXPECT_TRUE(read.melody.UndoEntries().isEmpty());
    EXPECT_EQ(MelodyFileLines(read.melody), MelodyFileLines(Sample()));

    QStringList half = MelodyFileLines(Melody());
    half[16] = "3";
    EXPECT_EQ(ReadMelodyFile(half).melody.Speed(), MelodySpeed::Half);
}

TEST(MelodyFileTest, UnwrittenAndEmptySlotsAreEmptyAndXAndYAreTakenAsStored)
{
    QStringList lines = MelodyFileLines(Melody());
    lines[18] = "FF";
    lines[19] = "3,1,1,500,7";
    lines[21] = "0,0,0,80,40";
    const MelodyFileRead read = ReadMelodyFile(lines);
    ASSERT_EQ(read.result, MelodyFileRead::Result::Loaded);
    EXPECT_EQ(read.melody.Notes(), (QList<MelodyNote> {{3, 1, 1, 500, 7}, {0, 0, 0, 80, 40}}));
    EXPECT_EQ(read.melody.NextX(), 80 + 60 + 30);
}

TEST(MelodyFileTest, DamagedFilesAndOtherStepsFilesAreRefused)
{
    const QStringList good = MelodyFileLines(Sample());
    EXPECT_EQ(ReadMelodyFile({"OK", "START", "END"}).result, MelodyFileRead::Result::OtherStep);
    EXPECT_EQ(ReadMelodyFile({}).result, MelodyFileRead::Result::OtherStep);

    struct Case {
        int line;
        QString text;
    };
    const Case damaged[] = {
        {1, "YES"},
        {2, "8"},
        {14, "x"},
        {15, "SPED"},
        {16, "0"},
        {17, ""},
        {18, "22,2,0,80,0"},
        {18, "14,5,0,80,0"},
        {18, "2,2,1,80,0"},
        {18, "185,2,1,80,0"},
        {18, "14,2,0,8O,0"},
        {18, "14,2,0,80"},
        {18, "14,2,0,80,0,1"},
        {18, "14,2,0,-1,0"},
        {18, "14,2,0,99999999,0"},
        {20, "14,2,0,80,1e3"},
        {127, "x"},
    };
    for (const Case &c : damaged) {
        QStringList lines = good;
        lines[c.line] = c.text;
        EXPECT_EQ(ReadMelodyFile(lines).result, MelodyFileRead::Result::Damaged)
            << c.line << " " << c.text.toStdString();
    }
    EXPECT_EQ(ReadMelodyFile(good.mid(0, 127)).result, MelodyFileRead::Result::Damaged);
    // A 111th note.
    EXPECT_EQ(ReadMelodyFile(good + QStringList {"0,0,0,80,40"}).result, MelodyFileRead::Result::Damaged);
    EXPECT_EQ(ReadMelodyFile(good + QStringList {""}).result, MelodyFileRead::Result::Loaded);
}

TEST(MelodyFileTest, OnlyKeysWithABlackKeyToTheirRightCanBeSharp)
{
    // C, D, F, G and A of the three octaves; E, B and the top C6 have none.
    const QList<int> blackKeyed {0, 1, 3, 4, 5, 7, 8, 10, 11, 12, 14, 15, 17, 18, 19};
    for (int key = 0; key < kWhiteKeyCount; ++key) {
        QStringList lines = MelodyFileLines(Melody());
        lines[18] = QStringLiteral("%1,2,1,80,%2").arg(key).arg(KeyY(key));
        EXPECT_EQ(ReadMelodyFile(lines).result,
                  blackKeyed.contains(key) ? MelodyFileRead::Result::Loaded : MelodyFileRead::Result::Damaged)
            << key;
    }
}

}  // namespace
}  // namespace kq
