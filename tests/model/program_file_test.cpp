#include "model/program_file.h"
#include "model/report_lines.h"
#include "base/text_file.h"

#include "support/temp_paths.h"

#include <QFile>

#include <gtest/gtest.h>

namespace kq {
namespace {

ReportFields SampleReport()
{
    ReportFields report;
    report.year = "5";
    report.group = "2";
    report.number = "17";
    report.name = "山田 太郎";
    report.title = "信号機";
    report.conception = "赤 と 青";
    report.features = "a\nb";
    report.ingenuity = "x=y";
    report.impressions = "楽しかった";
    return report;
}

TEST(ReportLines, NineKeysInFileOrder)
{
    EXPECT_EQ(ReportLines(SampleReport()),
              (QStringList{"reponen=5", "repokumi=2", "repoban=17", "reponame=山田 太郎", "repotitle=信号機",
                           "repokoso=\"赤 と 青\"", "reposiyou=ab", "repokuhu=x=y", "repokanso=楽しかった"}));
}

TEST(ReportLines, MultiLineValueIsCommaTextWithoutCommas)
{
    const struct {
        QString text;
        QString stored;
    } cases[] = {
        {"", ""},
        {"abc", "abc"},
        {"one\ntwo", "onetwo"},
        {"one\r\ntwo\r\n", "onetwo"},
        {"first line\nsecond", "\"first line\"second"},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"a\"b", "\"a\"\"b\""},
        {"a,b\nc", "\"ab\"c"},
        {"tab\there", "\"tab\there\""},
        {"全角　空白", "全角　空白"},
        {"x=y=z", "x=y=z"},
        {"a\n\nb", "ab"},
        {"\n", "\"\""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(MultiLineReportValue(c.text), c.stored) << c.text.toStdString();
}

TEST(ReportLines, SingleLineValuesAreWrittenAsTypedOnOneLine)
{
    ReportFields report;
    report.name = " a, \"b\" = c ";
    report.group = "1\r\n2";
    const QStringList lines = ReportLines(report);
    EXPECT_EQ(lines[3], "reponame= a, \"b\" = c ");
    EXPECT_EQ(lines[1], "repokumi=12");
    EXPECT_EQ(ReadReportLines(lines).name, report.name);
}

// Everything after the first "=" comes back, so a value holding "=" is whole.
TEST(ReportLines, ReadingTakesEverythingAfterTheFirstEquals)
{
    const ReportFields report = SampleReport();
    const ReportFields back = ReadReportLines(ReportLines(report));
    EXPECT_EQ(back.name, "山田 太郎");
    EXPECT_EQ(back.ingenuity, "x=y");
    EXPECT_EQ(back.conception, "\"赤 と 青\"");
    EXPECT_EQ(back.features, "ab");

    const ReportFields read = ReadReportLines({"repotitle=old", "reponame=a=b=", "repotitle=new", "reponen", "x"});
    EXPECT_EQ(read.title, "new");
    EXPECT_EQ(read.name, "a=b=");
    EXPECT_EQ(read.year, "");
    EXPECT_EQ(read.group, "");
}

// What the program file's form loses (line breaks, quotes, commas, a
// trailing space, characters outside the code page) the exact form keeps.
TEST(ReportLines, TheExactFormGivesBackEveryValueAsTyped)
{
    ReportFields report = SampleReport();
    report.title = "\"時計\", 目覚まし\r\n";
    report.impressions = "楽しかった。\n次は 音も,光も 😀 ";
    const QStringList lines = ExactReportLines(report);
    ASSERT_EQ(lines.size(), 9);
    EXPECT_TRUE(lines[8].startsWith("repokanso="));
    for (const QString &line : lines)
        EXPECT_TRUE(EncodeTextLines({line}).has_value()) << line.toStdString();
    EXPECT_EQ(ReadExactReportLines(lines), report);

    QStringList swapped = lines;
    swapped.swapItemsAt(0, 1);
    EXPECT_FALSE(ReadExactReportLines(swapped));
    EXPECT_FALSE(ReadExactReportLines(lines.mid(1)));
    EXPECT_FALSE(ReadExactReportLines(ReportLines(report) + QStringList {"x"}));
}

TEST(ProgramFile, LayoutOfValidAndInvalidPrograms)
{
    const QStringList program{"START", "2,0,255,0,0,4,0", "END"};
    const QStringList valid = ProgramFileLines(program, SampleReport(), kTextSectionMarker, {"ledon(255,0,0,1);"});
    ASSERT_EQ(valid.size(), 1 + 3 + 9 + 1 + 1);
    EXPECT_EQ(valid.first(4), (QStringList{"OK", "START", "2,0,255,0,0,4,0", "END"}));
    EXPECT_EQ(valid.mid(4, 9), ReportLines(SampleReport()));
    EXPECT_EQ(valid.last(2), (QStringList{"WORDDATA", "ledon(255,0,0,1);"}));

    const QStringList invalid = ProgramFileLines(std::nullopt, {}, kIconSectionMarker, QStringList(24, "-1"));
    ASSERT_EQ(invalid.size(), 1 + 9 + 1 + 24);
    EXPECT_EQ(invalid.first(), "NG");
    EXPECT_FALSE(invalid.contains("START"));
    EXPECT_EQ(invalid[10], "DDDATA");
}

TEST(ProgramFile, SplitFindsTheFirstMarkerAndReadsReportsOnlyBeforeIt)
{
    const QStringList lines = ProgramFileLines(QStringList{"START", "5,0,0,0,0,0,0", "END"}, SampleReport(),
                                               kTextSectionMarker, {"beep1();", "ROUTINE", "reponame=not a report", "END"});
    const ProgramFileParts parts = SplitProgramFile(lines);
    EXPECT_EQ(parts.firstLine, "OK");
    EXPECT_EQ(parts.programLines, (QStringList{"START", "5,0,0,0,0,0,0", "END"}));
    EXPECT_EQ(parts.report, ReadReportLines(ReportLines(SampleReport())));
    EXPECT_EQ(parts.report.name, "山田 太郎");
    EXPECT_EQ(parts.sectionMarker, "WORDDATA");
    EXPECT_EQ(parts.section, (QStringList{"beep1();", "ROUTINE", "reponame=not a report", "END"}));

    const ProgramFileParts foreign = SplitProgramFile({"SOUND", "1,2,3"});
    EXPECT_EQ(foreign.firstLine, "SOUND");
    EXPECT_TRUE(foreign.sectionMarker.isEmpty());
    EXPECT_TRUE(foreign.programLines.isEmpty());

    EXPECT_TRUE(SplitProgramFile({}).firstLine.isEmpty());
}

TEST(ProgramFile, ExtensionInAnyCaseAndTheDefaultEnding)
{
    const struct {
        QString chosen;
        QString saved;
    } cases[] = {
        {"/d/prog.kq27", "/d/prog.kq27"},
        {"/d/prog.KQ27", "/d/prog.KQ27"},
        {"/d/prog.Kq27", "/d/prog.Kq27"},
        {"/d/prog", "/d/prog(フロー).kq27"},
        {"/d/prog.txt", "/d/prog.txt(フロー).kq27"},
        {"/d/prog.kq27.bak", "/d/prog.kq27.bak(フロー).kq27"},
        {"/d.kq27/prog", "/d.kq27/prog(フロー).kq27"},
        {"/d/prog.kq2", "/d/prog.kq2(フロー).kq27"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(ProgramFileSaveName(c.chosen, "(フロー).kq27"), c.saved) << c.chosen.toStdString();
        EXPECT_EQ(HasProgramFileExtension(c.chosen), c.saved == c.chosen) << c.chosen.toStdString();
    }
}

TEST(ProgramFile, IsSavedComparesWithTheSaveFile)
{
    testing::TempPaths temp;
    const QString saveFile = temp.Paths().TempFolder() + kSaveFileName;
    const QStringList lines{"NG", "reponame=太郎", "WORDDATA", "beep1();"};
    EXPECT_FALSE(IsSaved(temp.Paths(), lines));

    ASSERT_TRUE(WriteTextLines(saveFile, lines));
    EXPECT_TRUE(IsSaved(temp.Paths(), lines));
    EXPECT_FALSE(IsSaved(temp.Paths(), lines.first(3)));
    EXPECT_FALSE(IsSaved(temp.Paths(), QStringList(lines) << "beep2();"));
    EXPECT_FALSE(IsSaved(temp.Paths(), {"NG", "reponame=次郎", "WORDDATA", "beep1();"}));
    EXPECT_FALSE(IsSaved(temp.Paths(), {"NG", "reponame=\u00e9\U0001F600", "WORDDATA", "beep1();"}));
}

}  // namespace
}  // namespace kq
