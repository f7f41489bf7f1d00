#include "tools/melody/melody_bytes.h"
#include "tools/melody/melody_wave.h"

#include "support/file_bytes.h"

#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace kq {
namespace {

TEST(MelodyWaveTest, FrequenciesOfTheRange)
{
    EXPECT_EQ(NoteFrequency(0), 131);
    EXPECT_EQ(NoteFrequency(12), 262);
    EXPECT_EQ(NoteFrequency(21), 440);
    EXPECT_EQ(NoteFrequency(36), 1047);
}

TEST(MelodyWaveTest, SampleCounts)
{
    struct Case {
        ByteList bytes;
        MelodySpeed speed;
        qsizetype samples;
    };
    const Case cases[] = {
        // A4 quarter: h = 55, round(3 × 439 / 8 × 3 / 2) + 1 = 248 periods.
        {{2 * 37 + 21}, MelodySpeed::Standard, 27280},
        {{185}, MelodySpeed::Standard, 10100},
        {{189}, MelodySpeed::Half, 10100},
        {{187}, MelodySpeed::Double, 10100},
        // C3 sixteenth at double speed: h = round(183.2) = 183, round(1 × 130 / 8 × 3 / 4) + 1 = 13.
        {{0}, MelodySpeed::Double, 2 * 183 * 13},
        // C6 sixteenth: h = round(22.92) = 23, round(1046 / 8 × 3 / 2) + 1 = 197.
        {{36}, MelodySpeed::Standard, 2 * 23 * 197},
        {{}, MelodySpeed::Standard, 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(MelodySamples(c.bytes, c.speed).size(), c.samples) << (c.bytes.isEmpty() ? -1 : c.bytes[0]);
}

TEST(MelodyWaveTest, RoundingTiesGoToTheEvenNeighbour)
{
    // D3 (147 Hz) dotted quarter at standard speed: 4 × 146 / 8 × 3 / 2 = 109.5
    // rounds to 110, so 111 periods of h = round(163.27) = 163.
    const int d3HalfPeriod = 163;
    EXPECT_EQ(NoteFrequency(2), 147);
    EXPECT_EQ(MelodySamples({3 * 37 + 2}, MelodySpeed::Standard).size(), 2 * d3HalfPeriod * (110 + 1));
}

TEST(MelodyWaveTest, SquareWaveShape)
{
    const QByteArray samples = MelodySamples({2 * 37 + 21, 185}, MelodySpeed::Standard);
    EXPECT_EQ(samples.mid(0, 55), QByteArray(55, char(0xFF)));
    EXPECT_EQ(samples.mid(55, 55), QByteArray(55, 0));
    EXPECT_EQ(samples.mid(27280), QByteArray(10100, 0));
}

TEST(MelodyWaveTest, PlayedNotesAreAllOrTheLastTenOrTwenty)
{
    ByteList four {1, 2, 3, 4};
    EXPECT_EQ(PlayedNoteBytes(four, PlayedNotes::Last10), four);
    ByteList twentyFive;
    for (int i = 1; i <= 25; ++i)
        twentyFive.append(i);
    EXPECT_EQ(PlayedNoteBytes(twentyFive, PlayedNotes::Last20), twentyFive.mid(5));
    EXPECT_EQ(PlayedNoteBytes(twentyFive, PlayedNotes::Last10).first(), 16);
    EXPECT_EQ(PlayedNoteBytes(twentyFive, PlayedNotes::All), twentyFive);
}

TEST(MelodyWaveTest, TheFileHeader)
{
    QTemporaryDir dir;
    const QString empty = dir.filePath("empty.wav");
    ASSERT_TRUE(WriteMelodyWave(empty, {}, MelodySpeed::Standard));
    const QByteArray header = testing::ReadBytes(empty);
    ASSERT_EQ(header.size(), kWaveHeaderBytes);
    EXPECT_EQ(header.mid(0, 4), "RIFF");
    EXPECT_EQ(qFromLittleEndian<quint32>(header.constData() + 4), 36u);
    EXPECT_EQ(header.mid(8, 8), "WAVEfmt ");
    EXPECT_EQ(header.mid(16, 20),
              QByteArray::fromHex("10000000"
                                  "0100"
                                  "0100"
                                  "80bb0000"
                                  "80bb0000"
                                  "0100"
                                  "0800"));
    EXPECT_EQ(header.mid(36, 4), "data");
    EXPECT_EQ(qFromLittleEndian<quint32>(header.constData() + 40), 0u);

    const QString rest = dir.filePath("rest.wav");
    ASSERT_TRUE(WriteMelodyWave(rest, {185}, MelodySpeed::Half));
    const QByteArray file = testing::ReadBytes(rest);
    EXPECT_EQ(file.size(), 44 + 10100);
    EXPECT_EQ(qFromLittleEndian<quint32>(file.constData() + 4), 10136u);
    EXPECT_EQ(qFromLittleEndian<quint32>(file.constData() + 40), 10100u);

    EXPECT_FALSE(WriteMelodyWave(dir.filePath("missing/folder/x.wav"), {185}, MelodySpeed::Half));
}

}  // namespace
}  // namespace kq
