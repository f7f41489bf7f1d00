#include "base/text_file.h"
#include "model/program_file.h"
#include "tool_runner.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kq {
namespace {

const QString kLoopMessage =
    QStringLiteral("繰り返し命令の位置関係が間違っております。\r\nプログラムを確認して下さい。");
const QString kForeignInstructions =
    QStringLiteral("このファイルはアイコンステップで使用する命令以外の命令が含まれております。");

class IconCommands : public ::testing::Test {
protected:
    QString Write(const QString &name, const QStringList &lines)
    {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(WriteTextLines(path, lines));
        return path;
    }
    // An icon file whose slots are given; its first line and program lines
    // are whatever the caller says.
    QString IconFile(const QString &name, const QStringList &slotLines,
                     const QStringList &head = {"OK", "START", "7,6,0,0,0,0,0", "END"})
    {
        QStringList section = slotLines;
        while (section.size() < 24)
            section.append("-1");
        return Write(name, head + QStringList(9, "reponame=") + QStringList{"DDDATA"} + section);
    }
    QString Path(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

TEST_F(IconCommands, BytesAndLinesComeFromTheSlots)
{
    // The stored first line and program lines say otherwise; the slots count.
    const QString file = IconFile("row(アイコン).kq27", {"-1", "18,0", "-1", "0,0,6"}, {"NG"});
    testing::ToolRun run = testing::RunTool({"bytes", file});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, (QStringList{"240", "230", "2", "150", "4", "126", "0", "1", "128", "9", "231", "0", "250"}));

    run = testing::RunTool({"lines", file});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, (QStringList{"START", "5,0,0,0,0,0,0", "2,0,255,0,0,6,0", "END"}));

    // The icon step's own count: start and end are not counted.
    run = testing::RunTool({"size", file});
    EXPECT_EQ(run.out, QStringList{"7"});
    EXPECT_EQ(testing::RunTool({"size", IconFile("lamps.kq27", QStringList(24, "3,1,0"))}).out, QStringList{"120"});

    const QString older = IconFile("older.kq27", {"11,"});
    EXPECT_EQ(testing::RunTool({"bytes", older, "--generation", "3"}).out,
              (QStringList{"240", "230", "2", "172", "4", "231", "0", "250"}));
}

TEST_F(IconCommands, TheGenerationDecidesTheBrightnessIconsLinesAndSize)
{
    const QString threshold = IconFile("bright.kq27", {"11,70", "12,30"});
    const QString bare = IconFile("older.kq27", {"11,", "12,"});
    const struct {
        QString file;
        QStringList options;
        int exitCode;
        QStringList lines;
        QString size;
    } cases[] = {
        {threshold, {}, 0, {"START", "7,2,70,0,0,0,0", "7,3,30,0,0,0,0", "END"}, "6"},
        {threshold, {"--generation", "4"}, 0, {"START", "7,2,70,0,0,0,0", "7,3,30,0,0,0,0", "END"}, "6"},
        {threshold, {"--generation", "3"}, 0, {"START", "7,2,0,0,0,0,0", "7,3,0,0,0,0,0", "END"}, "4"},
        {bare, {"--generation", "3"}, 0, {"START", "7,2,0,0,0,0,0", "7,3,0,0,0,0,0", "END"}, "4"},
        // Without a value the slots cannot be read for the newer clocks.
        {bare, {}, 1, {}, {}},
    };
    for (const auto &c : cases) {
        const testing::ToolRun lines = testing::RunTool(QStringList{"lines", c.file} + c.options);
        EXPECT_EQ(lines.exitCode, c.exitCode) << c.options.join(' ').toStdString() << lines.err.toStdString();
        EXPECT_EQ(lines.out, c.lines) << c.options.join(' ').toStdString();
        if (c.exitCode == 0) {
            EXPECT_EQ(testing::RunTool(QStringList{"size", c.file} + c.options).out, QStringList{c.size});
        }
    }
    EXPECT_EQ(testing::RunTool({"lines", threshold, "--generation", "5"}).exitCode, 2);
    EXPECT_EQ(testing::RunTool({"lines", threshold, "--generation"}).exitCode, 2);
}

TEST_F(IconCommands, BadRowsAreRefused)
{
    const struct {
        QStringList slotLines;
        QString message;
    } cases[] = {
        {{"16,", "15,2"}, kLoopMessage},
        {{"15,2", "15,2", "16,"}, kLoopMessage},
        {{"11,"}, QStringLiteral("ファイルの読み込みに失敗しました。")},
        {{"20,"}, QStringLiteral("ファイルの読み込みに失敗しました。")},
        {{"0,0,abc"}, QStringLiteral("ファイルの読み込みに失敗しました。")},
    };
    for (const auto &c : cases) {
        const QString file = IconFile("bad.kq27", c.slotLines);
        for (const char *command : {"bytes", "lines"}) {
            const testing::ToolRun run = testing::RunTool({QString::fromLatin1(command), file});
            EXPECT_EQ(run.exitCode, 1) << command << " " << c.slotLines.join(' ').toStdString();
            EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
            EXPECT_TRUE(run.out.isEmpty());
        }
    }
    const QString shortSection = Write("short.kq27", QStringList{"OK", "DDDATA"} + QStringList(23, "19,"));
    EXPECT_EQ(testing::RunTool({"bytes", shortSection}).exitCode, 1);
}

TEST_F(IconCommands, IconsConvertsAnotherStepsProgram)
{
    const QStringList program{"START", "9,0,3,0,0,0,0", "2,1,0,255,0,4,0", "9,1,0,0,0,0,0", "7,4,30,0,0,0,0", "END"};
    const QString in =
        Write("flow(フロー).kq27",
              QStringList{"OK"} + program + QStringList(9, "repokanso=楽しい") + QStringList{"ROUTINE", "SUB"});
    testing::ToolRun run = testing::RunTool({"icons", in, Path("out.kq27")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList out = ReadTextLines(Path("out.kq27"))->lines;
    EXPECT_EQ(out.mid(0, 7), QStringList{"OK"} + program);
    EXPECT_FALSE(out.join('\n').contains("楽しい"));  // the report is not taken over
    EXPECT_EQ(out.mid(16, 5), (QStringList{"DDDATA", "15,3", "1,1,0", "16,", "13,30"}));
    EXPECT_EQ(out.size(), 17 + 24);
    EXPECT_EQ(testing::RunTool({"lines", Path("out.kq27")}).out, program);

    // Bare program lines work as well.
    const QString lines = Write("lines.txt", {"START", "5,2,0,0,0,0,0", "END"});
    EXPECT_EQ(testing::RunTool({"icons", lines, Path("tone.kq27")}).exitCode, 0);
    EXPECT_EQ(testing::RunTool({"bytes", Path("tone.kq27")}).out,
              (QStringList{"240", "230", "2", "152", "4", "231", "0", "250"}));
}

TEST_F(IconCommands, IconsRefusesWhatIconsCannotShow)
{
    const struct {
        QStringList file;
        QString message;
    } cases[] = {
        {{"START", "8,0,0,0,0,0,0", "21,0,0,0,0,0,0", "END"}, kForeignInstructions},
        {{"START", "3,0,1,0,0,0,0", "END"}, kForeignInstructions},
        {QStringList{"START"} + QStringList(30, "5,0,0,0,0,0,0") + QStringList{"END"}, kForeignInstructions},
        {{"NG", "reponen=", "WORDDATA", "if"},
         QStringLiteral("このファイルは他ステップで作成されています。\r\nファイルを作成したステップで開いて下さい。")},
    };
    for (const auto &c : cases) {
        const testing::ToolRun run = testing::RunTool({"icons", Write("in.kq27", c.file), Path("never.kq27")});
        EXPECT_EQ(run.exitCode, 1) << c.file.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(Path("never.kq27")));
    }
    EXPECT_EQ(testing::RunTool({"icons", Path("missing.kq27"), Path("never.kq27")}).exitCode, 2);
    EXPECT_EQ(testing::RunTool({"icons", Path("missing.kq27")}).exitCode, 2);
}

}  // namespace
}  // namespace kq
