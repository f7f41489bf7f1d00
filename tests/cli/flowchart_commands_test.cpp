#include "base/text_file.h"
#include "model/instruction_table.h"
#include "support/program_generator.h"
#include "tool_runner.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kq {
namespace {

using testing::RunTool;
using testing::ToolRun;

const QStringList kNestedIfs {"START", "11,0,0,0,0,0,0", "8,0,0,0,0,0,0", "8,7,0,0,0,0,0", "4,1,0,0,0,0,0",
    "20,2,0,0,0,0,0", "4,2,0,0,0,0,0", "21,2,0,0,0,0,0", "20,0,0,0,0,0,0", "9,0,3,0,0,0,0", "5,1,0,0,0,0,0",
    "9,1,0,0,0,0,0", "21,0,0,0,0,0,0", "END"};

class FlowchartToolTest : public ::testing::Test {
protected:
    QString Write(const QString &name, const QStringList &lines)
    {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(WriteTextLines(path, lines));
        return path;
    }
    // A flowchart file whose main routine holds these node lines in slots 0.. and nothing else.
    QString FlowchartFile(const QStringList &mainNodes)
    {
        QStringList lines {"NG", "ROUTINE", "SUB", "", "", "", ""};
        for (int n = 0; n < 300; ++n)
            lines << (n < mainNodes.size() ? mainNodes[n] : QStringLiteral("0--0-0----"));
        return Write("hand.kq27", lines);
    }
    QString Path(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

TEST_F(FlowchartToolTest, LinesThroughAFlowchartAndBackWithTheSameBytes)
{
    const QString lines = Write("lines.txt", kNestedIfs);
    ASSERT_EQ(RunTool({"flowchart", lines, Path("chart.kq27")}).exitCode, 0);
    const ToolRun back = RunTool({"lines", Path("chart.kq27")});
    EXPECT_EQ(back.exitCode, 0);
    EXPECT_EQ(back.out, kNestedIfs);
    const ToolRun bytes = RunTool({"bytes", Path("chart.kq27")});
    EXPECT_EQ(bytes.exitCode, 0);
    EXPECT_EQ(bytes.out, RunTool({"bytes", lines}).out);

    // The clock's memory as the read-back collects it, and back to lines.
    QStringList dump {"00", "12"};  // reports before the memory
    for (qsizetype i = 1; i + 1 < bytes.out.size(); ++i)
        dump << QStringLiteral("%1").arg(bytes.out[i].toInt(), 2, 16, QLatin1Char('0')).toUpper();
    dump << "FA";
    ASSERT_EQ(RunTool({"readback", Write("dump.txt", dump), Path("read.kq27")}).exitCode, 0);
    EXPECT_EQ(RunTool({"lines", Path("read.kq27")}).out, kNestedIfs);
}

// A generated program of every shape through the commands a teacher's
// script would chain: the flowchart file of the lines and its lines, the
// read-back of the bytes the text step sends and the lines of that.
TEST_F(FlowchartToolTest, GeneratedProgramsThroughFlowchartAndReadBack)
{
    std::mt19937 random(27);
    for (const testing::ProgramShape &shape : testing::ProgramShapes()) {
        const QStringList program = testing::RandomProgram(shape, random);
        SCOPED_TRACE(program.join(' ').toStdString());
        ASSERT_EQ(RunTool({"flowchart", Write("lines.txt", program), Path("chart.kq27")}).exitCode, 0);
        const std::optional<TextFileContent> chart = ReadTextLines(Path("chart.kq27"));
        ASSERT_TRUE(chart);
        EXPECT_EQ(chart->lines.mid(0, program.size() + 1), QStringList {"OK"} + program);
        EXPECT_EQ(RunTool({"lines", Path("chart.kq27")}).out, program);

        const std::optional<InstructionTable> table = BuildInstructionTable(ParseProgramLines(program).instructions);
        ASSERT_TRUE(table);
        QStringList dump;
        for (int byte : EncodeProgram(RoutinesOf(*table), kCurrentGeneration))
            dump << QString::number(byte, 16);
        dump << "FA";
        ASSERT_EQ(RunTool({"readback", Write("dump.txt", dump), Path("read.kq27")}).exitCode, 0);
        EXPECT_EQ(RunTool({"lines", Path("read.kq27")}).out, testing::StoredColours(program));
    }
}

TEST_F(FlowchartToolTest, HandMadeFlowchartsGetTheCheckMessages)
{
    struct Case {
        QStringList nodes;
        int exitCode;
        QString error;
    };
    const QString tail = QStringLiteral("\r\nプログラムを確認して下さい。");
    const Case cases[] = {
        {{"0-start-0-0--1--0,0,0,0,0,0", "1-end-0-80-0---0,0,0,0,0,0"}, 0, {}},
        {{"0-start-0-0--1--0,0,0,0,0,0", "1-wait-0-80-0---0,1,0,0,0,0"}, 1,
            QStringLiteral("プログラムがきちんと結ばれておりません。") + tail},
        {{"0--0-0----"}, 1, QStringLiteral("プログラム開始命令がありません。") + tail},
        {{"0-start-0-0--1--0,0,0,0,0,0", "1-if-0-80-0-2-3-7,0,0,0,0,0", "2-end-0-160-1,3---0,0,0,0,0,0",
             "3-dainyuu-150-160-1-2--0,0,0,0,0,0"},
            1, QStringLiteral("変数xを使った条件分岐命令は事前に変数xに代入する命令が必要です。") + tail},
        // Damaged: a routine call outside 1..4, a slot that is no number.
        {{"0-start-0-0--1--0,0,0,0,0,0", "1-routine-0-80-0-2--0,9,0,0,0,0", "2-end-0-160-1---0,0,0,0,0,0"}, 1,
            QStringLiteral("プログラムが間違っております。") + tail},
        {{"0-start-0-0--x--0,0,0,0,0,0"}, 1, QStringLiteral("ファイルの読み込みに失敗しました。")},
    };
    for (const Case &c : cases) {
        const ToolRun bytes = RunTool({"bytes", FlowchartFile(c.nodes)});
        EXPECT_EQ(bytes.exitCode, c.exitCode) << c.nodes.join(' ').toStdString();
        if (c.exitCode != 0) {
            EXPECT_TRUE(bytes.err.contains(c.error)) << bytes.err.toStdString();
        }
    }
    // An arrow back to the wait: bytes, but no lines.
    const QString loop = FlowchartFile({"0-start-0-0--1--0,0,0,0,0,0", "1-wait-0-80-0,1-1--0,1,0,0,0,0"});
    EXPECT_EQ(RunTool({"bytes", loop}).exitCode, 0);
    const ToolRun lines = RunTool({"lines", loop});
    EXPECT_EQ(lines.exitCode, 1);
    EXPECT_TRUE(lines.err.contains(QStringLiteral("プログラムが正しくないため表示できません。")));
}

TEST_F(FlowchartToolTest, RefusedImportsAndDumps)
{
    QStringList tooMany {"START"};
    for (int i = 0; i < 59; ++i)
        tooMany << "7,0,1,0,0,0,0";
    tooMany << "END";
    const ToolRun refused = RunTool({"flowchart", Write("many.txt", tooMany), Path("out.kq27")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("読み込む命令数が最大数を超えている為開けません。(メモリ数オーバー)")));
    EXPECT_FALSE(QFile::exists(Path("out.kq27")));

    const ToolRun noStart = RunTool({"readback", Write("dump.txt", {"00", "02"}), Path("out.kq27")});
    EXPECT_EQ(noStart.exitCode, 1);
    EXPECT_TRUE(noStart.err.contains(QStringLiteral("本体からプログラムを読み込めませんでした。")));
}

}  // namespace
}  // namespace kq
