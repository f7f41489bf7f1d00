#include "base/text_file.h"
#include "model/program_file.h"
#include "support/file_bytes.h"
#include "tool_runner.h"
#include "tools/melody/melody_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kq {
namespace {

using testing::ReadBytes;
using testing::RunTool;
using testing::ToolRun;

class MelodyToolTest : public ::testing::Test {
protected:
    QString WriteMelody(const Melody &melody)
    {
        const QString path = m_dir.filePath("song.kq27");
        EXPECT_TRUE(WriteTextLines(path, MelodyFileLines(melody)));
        return path;
    }

    static Melody TwoNotes()
    {
        Melody melody;
        EXPECT_TRUE(melody.Append({0, true}));
        melody.SetCurrentLength(1);
        EXPECT_TRUE(melody.Append({kRestKey, false}));
        return melody;
    }

    QTemporaryDir m_dir;
};

TEST_F(MelodyToolTest, MelodyPrintsTheFramedBytes)
{
    const ToolRun empty = RunTool({"melody", WriteMelody(Melody())});
    EXPECT_EQ(empty.exitCode, 0);
    ASSERT_EQ(empty.out.size(), 18);
    EXPECT_EQ(empty.out.first(), "242");
    EXPECT_EQ(empty.out.mid(13, 5), (QStringList {"201", "193", "2", "0", "250"}));

    const ToolRun two = RunTool({"melody", WriteMelody(TwoNotes())});
    EXPECT_EQ(two.out.mid(17), (QStringList {"75", "186", "250"}));
}

TEST_F(MelodyToolTest, MelodyRefusesOtherFiles)
{
    const QString program = m_dir.filePath("program.kq27");
    ASSERT_TRUE(WriteTextLines(program, {"OK", "START", "END"}));
    const ToolRun other = RunTool({"melody", program});
    EXPECT_EQ(other.exitCode, 1);
    EXPECT_TRUE(other.err.contains(kOtherStepFileMessage));
    EXPECT_TRUE(other.out.isEmpty());

    QStringList damaged = MelodyFileLines(Melody());
    damaged[18] = "14,9,0,80,-16";
    const QString bad = m_dir.filePath("bad.kq27");
    ASSERT_TRUE(WriteTextLines(bad, damaged));
    const ToolRun refused = RunTool({"melody", bad});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains(kReadFailedMessage));

    // C6 has no black key to its right: its sharp is no note the clock knows.
    damaged[18] = "21,2,1,80,-44";
    ASSERT_TRUE(WriteTextLines(bad, damaged));
    for (const QStringList &arguments :
         {QStringList {"melody", bad}, QStringList {"wav", bad, m_dir.filePath("c6.wav")}}) {
        const ToolRun sharp = RunTool(arguments);
        EXPECT_EQ(sharp.exitCode, 1) << arguments.first().toStdString();
        EXPECT_TRUE(sharp.err.contains(kReadFailedMessage)) << sharp.err.toStdString();
        EXPECT_TRUE(sharp.out.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(m_dir.filePath("c6.wav")));

    EXPECT_EQ(RunTool({"melody", m_dir.filePath("missing.kq27")}).exitCode, 2);
    EXPECT_EQ(RunTool({"melody"}).exitCode, 2);
    EXPECT_EQ(RunTool({"melody", WriteMelody(Melody())}, "/dev/full").exitCode, 2);
}

TEST_F(MelodyToolTest, WavWritesThePlayedNotes)
{
    Melody melody;
    melody.SetSpeed(MelodySpeed::Half);
    for (int i = 0; i < 12; ++i)
        ASSERT_TRUE(melody.Append({kRestKey, false}));
    const QString song = WriteMelody(melody);
    const QString all = m_dir.filePath("all.wav");
    EXPECT_EQ(RunTool({"wav", song, all}).exitCode, 0);
    EXPECT_EQ(ReadBytes(all).size(), 44 + 12 * 10100);
    const QString last = m_dir.filePath("last.wav");
    EXPECT_EQ(RunTool({"wav", song, last, "--last", "10"}).exitCode, 0);
    EXPECT_EQ(ReadBytes(last).size(), 44 + 10 * 10100);

    EXPECT_EQ(RunTool({"wav", song, last, "--last", "5"}).exitCode, 2);
    EXPECT_EQ(RunTool({"wav", song}).exitCode, 2);
    EXPECT_EQ(RunTool({"wav", song, m_dir.filePath("no/such/folder.wav")}).exitCode, 2);
}

TEST_F(MelodyToolTest, ReadBackTurnsADumpIntoAMelodyFile)
{
    QStringList dump {"00", "FF", "E6", "02", "E7"};
    while (dump.size() < 2 + 128)
        dump.append("FF");
    dump << "C2"
         << "C3";
    while (dump.size() < 2 + 141)
        dump.append("C9");
    dump << "C0"
         << "02"
         << "00"
         << "4B"
         << "FF"
         << "BA"
         << "FA"
         << "4A";
    const QString dumpPath = m_dir.filePath("dump.txt");
    ASSERT_TRUE(WriteTextLines(dumpPath, dump));
    const QString out = m_dir.filePath("read.kq27");
    const ToolRun run = RunTool({"melody-readback", dumpPath, out});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const std::optional<TextFileContent> lines = ReadTextLines(out);
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->lines.size(), kMelodyFileLines);
    EXPECT_EQ(lines->lines.mid(0, 4), (QStringList {"SOUND", "ON", "0", "1"}));
    EXPECT_EQ(lines->lines.mid(16, 5), (QStringList {"2", "DATA", "0,2,1,80,40", "185,1,0,170,0", ""}));
    EXPECT_EQ(RunTool({"melody", out}).out.mid(17), (QStringList {"75", "186", "250"}));

    const QString none = m_dir.filePath("none.txt");
    ASSERT_TRUE(WriteTextLines(none, {"FF", "12"}));
    const QString notWritten = m_dir.filePath("not.kq27");
    EXPECT_EQ(RunTool({"melody-readback", none, notWritten}).exitCode, 1);
    ASSERT_TRUE(WriteTextLines(none, dump.mid(0, 2 + 142)));
    EXPECT_EQ(RunTool({"melody-readback", none, notWritten}).exitCode, 1);
    EXPECT_FALSE(QFile::exists(notWritten));
}

}  // namespace
}  // namespace kq
