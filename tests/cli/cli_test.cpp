#include "model/memory_messages.h"
#include "model/program_lines.h"
#include "base/text_file.h"
#include "support/file_bytes.h"
#include "tool_runner.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kq {
namespace {

using testing::RunTool;
using testing::ToolRun;
using testing::WriteBytes;

class ToolTest : public ::testing::Test {
protected:
    QString Write(const QString &name, const QStringList &lines)
    {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(WriteTextLines(path, lines));
        return path;
    }

    QTemporaryDir m_dir;
};

TEST_F(ToolTest, BytesOfProgramLinesAndOfAnOkFile)
{
    const QString plain = Write("plain.txt", {"START", "END"});
    const ToolRun smallest = RunTool({"bytes", plain});
    EXPECT_EQ(smallest.exitCode, 0);
    EXPECT_EQ(smallest.out, (QStringList{"240", "230", "2", "231", "250"}));

    const QString file = Write("prog.kq27", {"OK", "START", "8,2,50,0,0,0,0", "5,0,0,0,0,0,0", "20,1,0,0,0,0,0",
                                             "21,1,0,0,0,0,0", "END", "reponen=3", "reponame=START", "ROUTINE",
                                             "if(cds>50){"});
    EXPECT_EQ(RunTool({"bytes", file}).out,
              (QStringList{"240", "230", "2", "205", "50", "6", "8", "150", "8", "231", "250"}));
    EXPECT_EQ(RunTool({"bytes", file, "--generation", "3"}).out,
              (QStringList{"240", "230", "2", "182", "5", "7", "150", "7", "231", "250"}));
    EXPECT_EQ(RunTool({"size", file}).out, QStringList{"9"});
    EXPECT_EQ(RunTool({"size", "--generation", "3", file}).out, QStringList{"8"});
}

TEST_F(ToolTest, InvalidProgramsExitOneWithTheReason)
{
    const ToolRun ng = RunTool({"bytes", Write("ng.kq27", {"NG", "reponen=", "DDDATA"})});
    EXPECT_EQ(ng.exitCode, 1);
    EXPECT_TRUE(ng.err.contains(kCannotHandOverMessage));

    const ToolRun bad = RunTool({"bytes", Write("bad.txt", {"START", "5,0,0,0,0,0,0", "10,0,1,0,0,0,0", "END"})});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(bad.err.contains(":3:")) << bad.err.toStdString();
    EXPECT_TRUE(bad.out.isEmpty());

    QStringList long61{"START"};
    for (int i = 0; i < 60; ++i)
        long61 << "5,0,0,0,0,0,0";
    long61 << "END";
    const QString longPath = Write("long.txt", long61);
    const ToolRun over = RunTool({"bytes", longPath});
    EXPECT_EQ(over.exitCode, 1);
    EXPECT_TRUE(over.err.contains(kTextTransferOverflowMessage));
    EXPECT_TRUE(over.out.isEmpty());
    EXPECT_EQ(RunTool({"size", longPath}).out, QStringList{"123"});

    EXPECT_EQ(RunTool({"bytes", Write("none.txt", {"5,0,0,0,0,0,0"})}).exitCode, 1);

    // Bytes that are not CP932 anywhere in the file, even after "END" (here
    // the first byte of a double-byte character, cut off).
    const QString cut = m_dir.filePath("cut.txt");
    WriteBytes(cut, "START\r\nEND\r\nbeep1();\x82");
    for (const char *command : {"bytes", "size"}) {
        const ToolRun run = RunTool({command, cut});
        EXPECT_EQ(run.exitCode, 1) << command;
        EXPECT_TRUE(run.err.contains("not CP932 text")) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
}

TEST_F(ToolTest, OneHundredTwentyBytesPassAndOneMoreFails)
{
    QStringList lines{"START"};
    for (int i = 0; i < 58; ++i)
        lines << "5,0,0,0,0,0,0";  // 2 + 58 × 2 + 1 = 119
    lines << "END";
    EXPECT_EQ(RunTool({"bytes", Write("119.txt", lines)}).out.size(), 119 + 2);
    lines[1] = "4,0,100,1,0,0,0";  // two more bytes: 121, over the limit
    EXPECT_EQ(RunTool({"bytes", Write("121.txt", lines)}).exitCode, 1);
    lines[1] = "3,0,1,0,0,0,0";  // one more byte: exactly 120
    EXPECT_EQ(RunTool({"bytes", Write("120.txt", lines)}).out.size(), 120 + 2);
}

TEST_F(ToolTest, ArgumentsAndUnreadableFilesExitTwo)
{
    const QString ok = Write("ok.txt", {"START", "END"});
    const QStringList cases[] = {
        {},
        {"frobnicate"},
        {"bytes"},
        {"bytes", m_dir.filePath("missing.txt")},
        {"bytes", m_dir.path()},
        {"bytes", ok, "--generation"},
        {"bytes", ok, "--generation", "5"},
        {"bytes", ok, ok},
        {"size", ok, "--verbose"},
    };
    for (const QStringList &arguments : cases)
        EXPECT_EQ(RunTool(arguments).exitCode, 2) << arguments.join(' ').toStdString();
}

// Program files are small: a larger file is refused before it is read, and a
// device without end is read no further than the limit.
TEST_F(ToolTest, InputAboveTheSizeLimitExitsTwo)
{
    const QString big = Write("big.txt", {"START", "END"});
    QFile file(big);
    ASSERT_TRUE(file.resize(kTextFileSizeLimit + 1));  // sparse: nothing is written
    for (const QStringList &arguments : {QStringList{"bytes", big}, QStringList{"lines", big},
                                         QStringList{"size", "/dev/zero"}, QStringList{"lines", "/dev/zero"}}) {
        const ToolRun run = RunTool(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains("cannot be read")) << run.err.toStdString();
    }
}

// An answer that does not reach its file is no answer: a script must not read
// an empty output as a result.
TEST_F(ToolTest, OutputThatCannotBeWrittenExitsTwo)
{
    const QString program = Write("p.kq27", {"OK", "START", "5,0,0,0,0,0,0", "END", "ROUTINE"});
    for (const char *command : {"bytes", "size", "lines"}) {
        EXPECT_EQ(RunTool({command, program}).exitCode, 0) << command;
        const ToolRun full = RunTool({command, program}, "/dev/full");
        EXPECT_EQ(full.exitCode, 2) << command;
        EXPECT_TRUE(full.err.contains("the output could not be written completely")) << full.err.toStdString();
    }
    // A refusal writes nothing on standard output and keeps its own code.
    EXPECT_EQ(RunTool({"bytes", Write("ng.kq27", {"NG"})}, "/dev/full").exitCode, 1);
}

// Damaged input of every sort ends with 0, 1 or 2, never a crash (the
// sanitizers abort with another code).
TEST_F(ToolTest, DamagedInputNeverCrashes)
{
    auto *random = QRandomGenerator::global();
    const QByteArray alphabet("0123456789,,,,-\r\n\r\nSTARTEND OKNG\xff\x81");
    for (int round = 0; round < 25; ++round) {
        QByteArray bytes = round % 2 ? "START\r\n" : "OK\r\nSTART\n";
        const int size = int(random->bounded(400));
        for (int i = 0; i < size; ++i)
            bytes.append(alphabet.at(int(random->bounded(alphabet.size()))));
        if (round % 3)
            bytes.append("\r\nEND\r\n");
        const QString path = m_dir.filePath("damaged.txt");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        for (const char *command : {"bytes", "size"}) {
            const ToolRun run = RunTool({command, path});
            EXPECT_TRUE(run.exitCode == 0 || run.exitCode == 1) << run.exitCode << " " << bytes.toStdString();
        }
    }
}

}  // namespace
}  // namespace kq
