#include "model/program_file.h"
#include "model/program_lines.h"
#include "base/text_file.h"
#include "tool_runner.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kq {
namespace {

testing::ToolRun RunLines(const QStringList &arguments)
{
    return testing::RunTool(QStringList{"lines"} + arguments);
}

class LinesCommand : public ::testing::Test {
protected:
    QString WriteBytes(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QString Write(const QString &name, const QStringList &lines) { return WriteBytes(name, EncodeTextLines(lines).value()); }

    QTemporaryDir m_dir;
};

TEST_F(LinesCommand, PrintsTheProgramLinesOfAnOkFile)
{
    const QStringList program{"START", "8,0,0,0,0,0,0", "2,0,255,0,0,4,0", "20,0,0,0,0,0,0", "21,0,0,0,0,0,0", "END"};
    ReportFields report;
    report.name = QStringLiteral("START");
    report.title = QStringLiteral("赤\nEND");
    const QStringList file =
        ProgramFileLines(program, report, kFlowchartSectionMarker, {"START", "if(sw=on){", "END"});

    const testing::ToolRun run = RunLines({Write("prog(文字).kq27", file)});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, program);
    EXPECT_TRUE(run.err.isEmpty());

    // LF line ends read the same.
    const QString lf = WriteBytes("lf.kq27", EncodeTextLines(file).value().replace("\r\n", "\n"));
    EXPECT_EQ(RunLines({lf}).out, program);

    // Only an icon file's lines depend on the generation.
    for (const char *generation : {"3", "4"})
        EXPECT_EQ(RunLines({"--generation", generation, Write("g.kq27", file)}).out, program) << generation;
}

TEST_F(LinesCommand, RefusesWhatIsNotAValidProgramFile)
{
    const struct {
        const char *name;
        QByteArray bytes;
        const char *message;
    } cases[] = {
        {"ng.kq27", EncodeTextLines(ProgramFileLines(std::nullopt, {}, kIconSectionMarker, {"-1"})).value(),
         "プログラムが正しくないので他のステップで開くことが出来ません。"},
        {"melody.kq27", "SOUND\r\n1,2,3\r\n", "neither OK nor NG"},
        {"plain.txt", "START\r\n5,0,0,0,0,0,0\r\nEND\r\n", "neither OK nor NG"},
        {"empty.kq27", "", "neither OK nor NG"},
        // 0xFF and 0xFE are characters on Windows; 0x85 0x40 is none.
        {"binary.kq27", QByteArray("\x00\x01OK\xff\xfe\x85\x40", 8), "not CP932"},
        {"utf8.kq27", QStringLiteral("OK\nSTART\nEND\nreponame=太郎\n").toUtf8(), "not CP932"},
        {"cut.kq27", "OK\r\nSTART\r\nEND\r\nWORDDATA\r\nbeep1();\x82", "not CP932"},
        {"truncated.kq27", "OK\r\nSTART\r\n5,0,0,0,0,0,0\r\n", "no \"START\" line followed by an \"END\" line"},
    };
    for (const auto &c : cases) {
        const testing::ToolRun run = RunLines({WriteBytes(QString::fromUtf8(c.name), c.bytes)});
        EXPECT_EQ(run.exitCode, 1) << c.name;
        EXPECT_TRUE(run.out.isEmpty()) << c.name;
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.message))) << c.name << ": " << run.err.toStdString();
    }
}

TEST_F(LinesCommand, UnreadableFilesAndWrongArgumentsExitWithTwo)
{
    const QString good = Write("p.kq27", {"OK", "START", "END"});
    for (const QStringList &arguments :
         {QStringList{}, QStringList{good, good}, QStringList{"--generation", "3"}, QStringList{m_dir.filePath("none")},
          QStringList{m_dir.path()}}) {
        const testing::ToolRun run = RunLines(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_FALSE(run.err.isEmpty());
    }
}

}  // namespace
}  // namespace kq
