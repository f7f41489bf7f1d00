#include "base/text_file.h"
#include "model/program_file.h"
#include "tool_runner.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kq {
namespace {

const QString kSyntax = QStringLiteral("プログラムの構文が間違っております。\r\nプログラムを確認して下さい。");

class TextCommands : public ::testing::Test {
protected:
    QString Write(const QString &name, const QStringList &lines)
    {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(WriteTextLines(path, lines));
        return path;
    }
    // A text file whose stored head is whatever the caller says.
    QString TextFile(const QString &name, const QStringList &text, const QStringList &head = {"NG"})
    {
        return Write(name, head + QStringList(9, "reponame=") + QStringList{"WORDDATA"} + text);
    }

    QTemporaryDir m_dir;
};

TEST_F(TextCommands, LinesAndBytesComeFromTheText)
{
    // The stored head says something else entirely; the text counts.
    const QString file = TextFile("t(文字).kq27", {"LEDON(255, 0, 0, 1);  // red", "beep1();"},
                                  {"OK", "START", "5,2,0,0,0,0,0", "END"});
    testing::ToolRun run = testing::RunTool({"lines", file});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, (QStringList{"START", "2,0,255,0,0,4,0", "5,0,0,0,0,0,0", "END"}));

    run = testing::RunTool({"bytes", file});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, (QStringList{"240", "230", "2", "126", "0", "1", "0", "7", "150", "9", "231", "250"}));
}

TEST_F(TextCommands, CheckAnswersOkOrTheFirstFailingCheck)
{
    struct Case {
        QStringList text;
        int exitCode;
        QString answer;
    };
    const QString conditional = QStringLiteral("条件分岐の命令が間違っております。\r\nプログラムを確認して下さい。");
    // The message as it always was, then the line of the text (a program
    // file's lines after "WORDDATA"), blank and comment lines counted.
    const Case cases[] = {
        {{"beep1();", "if(sw=on){", "}", "else{", "beep2();", "}"}, 0, "OK"},
        {{"beep1();;"}, 1, kSyntax + "\nline 1"},
        {{"\tbeep1();"}, 1, kSyntax + "\nline 1"},
        {{"else{", "}"}, 1, conditional + "\nline 1"},
        {{"beep1();", "", "// then", "if(sw=on){", "beep2();"}, 1, conditional + "\nline 4"},
        {QStringList(61, "beep1();"), 1,
         QStringLiteral("プログラムの総命令数が最大値を超えております。\r\nプログラムを確認して下さい。\nline 61")},
        {{"beep1();", "timerstop(4294967296);"}, 1, kSyntax + "\nline 2"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.join(' ').toStdString());
        for (const QString &file : {TextFile("case.kq27", c.text), Write("case.txt", c.text)}) {
            const testing::ToolRun run = testing::RunTool({"check", file});
            EXPECT_EQ(run.exitCode, c.exitCode);
            EXPECT_EQ(run.out.join('\n'), c.answer);
        }
    }
    // A failing check stops lines and bytes with the same message.
    const testing::ToolRun run = testing::RunTool({"lines", TextFile("bad.kq27", {"beep1();;"})});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.trimmed(), kSyntax);
}

TEST_F(TextCommands, TooManyBytesAreRefused)
{
    const QString file = TextFile("long.kq27", QStringList(30, "ledon(1,2,3,1);"));
    const testing::ToolRun run = testing::RunTool({"bytes", file});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("メモリ数が最大数を超えている為転送できません。"))) << run.err.toStdString();
}

TEST_F(TextCommands, AnotherKeywordFileRenamesTheStatements)
{
    QStringList keywords = testing::RunTool({"text", Write("one.txt", {"START", "END"})}).out;
    const std::optional<TextFileContent> defaults = ReadTextLines(QStringLiteral(KQ_DATA_DIR "/Data/KQ27.dat"));
    ASSERT_TRUE(defaults.has_value());
    keywords = defaults->lines;
    keywords[8].replace(",beep1,", ",Pi,");
    const QString renamed = Write("renamed.dat", keywords);

    const QString program = Write("p.txt", {"START", "5,0,0,0,0,0,0", "13,0,25,10,0,0,0", "END"});
    testing::ToolRun run = testing::RunTool({"text", program, "--keywords", renamed});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, (QStringList{"Pi();", "advancetime(2.5,10);"}));

    const QString file = TextFile("pi.kq27", {"PI();"});
    EXPECT_EQ(testing::RunTool({"check", file, "--keywords", renamed}).out, QStringList{"OK"});
    EXPECT_EQ(testing::RunTool({"lines", file, "--keywords", renamed}).out,
              (QStringList{"START", "5,0,0,0,0,0,0", "END"}));
    EXPECT_EQ(testing::RunTool({"check", file}).exitCode, 1);

    // A damaged keyword file is refused, never half used.
    const QString damaged = Write("damaged.dat", keywords.mid(0, 49));
    run = testing::RunTool({"check", file, "--keywords", damaged});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("ファイル読み込みエラー")));
}

TEST_F(TextCommands, TextOfAnOlderClockShowsFormsTheCheckRefuses)
{
    const QString ok = Write("ok.kq27", QStringList{"OK", "START", "8,2,50,0,0,0,0", "20,1,0,0,0,0,0", "21,1,0,0,0,0,0",
                                                    "END"} + QStringList(9, "reponame=") + QStringList{"ROUTINE"});
    testing::ToolRun run = testing::RunTool({"text", ok, "--generation", "3"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, (QStringList{"if(cds=on){", "}", "else{", "}"}));
    EXPECT_EQ(testing::RunTool({"text", ok}).out, (QStringList{"if(cds>50){", "}", "else{", "}"}));

    EXPECT_EQ(testing::RunTool({"check", Write("older.txt", run.out)}).out.join('\n'), kSyntax + "\nline 1");
    EXPECT_EQ(testing::RunTool({"text", Write("ng.kq27", {"NG"})}).exitCode, 1);
}

}  // namespace
}  // namespace kq
