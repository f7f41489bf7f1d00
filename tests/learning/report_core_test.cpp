#include "base/text_file.h"
#include "learning/report_builder.h"
#include "learning/report_display_size.h"
#include "learning/report_save.h"
#include "support/file_bytes.h"
#include "support/full_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kq {
namespace {

ReportFields Pupil()
{
    ReportFields fields;
    fields.year = "5";
    fields.group = "2";
    fields.number = "14";
    fields.name = "太郎";
    fields.impressions = "楽しかった\n難しかった";
    return fields;
}

TEST(ReportDisplaySize, OwnSizeWithinLimitsElseScaledToTheLongerSide)
{
    const struct {
        QSize picture;
        int across;
        int down;
        QSize shown;
    } cases[] = {
        {{580, 160}, 600, 800, {580, 160}},
        {{1000, 260}, 600, 800, {600, 156}},
        {{500, 900}, 600, 800, {444, 800}},
        {{700, 300}, 500, 700, {500, 214}},
        {{400, 400}, 500, 300, {300, 300}},
        // 5 / 8 * 4 = 2.5 rounds to the even 2
        {{8, 5}, 4, 100, {4, 2}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ReportDisplaySize(c.picture, c.across, c.down), c.shown) << c.picture.width() << "x" << c.picture.height();
}

TEST(ReportBuilder, OnlyTheFirstCommonPlaceholderOfALineIsReplaced)
{
    ReportWork work;
    const QStringList lines = BuildReportLines({"<p>Name Kanso Name</p>", "<p>Kanso</p>", "plain"}, Pupil(), work);
    EXPECT_EQ(lines[0], "<p>5年　2組　14番　　名前：　太郎 Kanso 5年　2組　14番　　名前：　太郎</p>");
    EXPECT_EQ(lines[1], "<p>楽しかった<BR>難しかった<BR></p>");
    EXPECT_EQ(lines[2], "plain");
}

TEST(ReportBuilder, AnEmptyFieldAloneOnItsLineLeavesTheTemplateLine)
{
    ReportWork work;
    EXPECT_EQ(BuildReportLines({"Kuhu"}, Pupil(), work), QStringList{"Kuhu"});
}

TEST(ReportBuilder, PupilTextsGoInAsHtmlText)
{
    ReportFields fields = Pupil();
    fields.name = "<b>A&B</b>";
    fields.title = "<script>alert(1)</script>";
    ReportWork work;
    work.kind = ReportKind::Word;
    work.programText = {"もし x < 3 & y > 2"};
    const QStringList lines = BuildReportLines({"Name", "Taitoru", "WORD"}, fields, work);
    EXPECT_EQ(lines[0], "5年　2組　14番　　名前：　&lt;b&gt;A&amp;B&lt;/b&gt;");
    EXPECT_EQ(lines[1], "&lt;script&gt;alert(1)&lt;/script&gt;<BR>");
    EXPECT_EQ(lines[2], "もし x &lt; 3 &amp; y &gt; 2<BR><BR>");
}

TEST(ReportBuilder, RoutineLineCopiedPerExistingPicture)
{
    ReportWork work;
    work.kind = ReportKind::Routine;
    work.routineSizes[0] = QSize(700, 300);
    work.routineSizes[1] = QSize(100, 200);
    work.routineSizes[3] = QSize(100, 200);
    const QStringList lines = BuildReportLines({"<h2>ROUTINE</h2>Picture", "<p>ROUTINE</p>"}, Pupil(), work);
    EXPECT_EQ(lines[0],
              "<h2>メインルーチン</h2><img src=\"Img/Routine0.bmp\" width=\"500\" height=\"214\">"
              "<h2>サブルーチン1</h2><img src=\"Img/Routine1.bmp\" width=\"100\" height=\"200\">"
              "<h2>サブルーチン3</h2><img src=\"Img/Routine3.bmp\" width=\"100\" height=\"200\">");
    EXPECT_EQ(lines[1], "");

    ReportWork mainOnly;
    mainOnly.kind = ReportKind::Routine;
    mainOnly.routineSizes[0] = QSize(50, 60);
    EXPECT_EQ(BuildReportLines({"ROUTINE:Picture"}, Pupil(), mainOnly),
              QStringList{"メインルーチン:<img src=\"Img/Routine0.bmp\" width=\"50\" height=\"60\">"});
}

TEST(ReportBuilder, IconLineCopiedPerEntryWithFullPathPictures)
{
    ReportWork work;
    work.kind = ReportKind::Icons;
    work.iconFolder = "/opt/kq/Img/Icon/DD/";
    work.iconEntries = {"LED1,赤く光る,extra", "WAIT"};
    EXPECT_EQ(BuildReportLines({"<li>ICON Content</li>"}, Pupil(), work),
              QStringList{"<li><img src=\"/opt/kq/Img/Icon/DD/LED1.bmp\" width=\"32\" height=\"25\"> 赤く光る</li>"
                          "<li><img src=\"/opt/kq/Img/Icon/DD/WAIT.bmp\" width=\"32\" height=\"25\"> </li>"});
}

TEST(ReportBuilder, SoundPictureAtItsDisplaySize)
{
    ReportWork work;
    work.kind = ReportKind::Sound;
    work.soundSize = QSize(1000, 260);
    EXPECT_EQ(BuildReportLines({"Picture"}, Pupil(), work),
              QStringList{"<img src=\"Img/Sound.bmp\" width=\"600\" height=\"156\">"});
}

TEST(ReportIdentity, YearClassNumberAndNameAreRequired)
{
    EXPECT_TRUE(HasReportIdentity(Pupil()));
    for (QString ReportFields::*field : {&ReportFields::year, &ReportFields::group, &ReportFields::number, &ReportFields::name}) {
        ReportFields fields = Pupil();
        fields.*field = QString();
        EXPECT_FALSE(HasReportIdentity(fields));
    }
}

TEST(ReportSave, ExtensionRule)
{
    EXPECT_EQ(ReportFileName("/d/taro"), "/d/taro.html");
    EXPECT_EQ(ReportFileName("/d/taro.HTM"), "/d/taro.HTM");
    EXPECT_EQ(ReportFileName("/d/taro.Html"), "/d/taro.Html");
    EXPECT_EQ(ReportFileName("/d/taro.txt"), "/d/taro.txt.html");
}

class ReportSaveFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir().mkpath(Pictures()));
        ASSERT_TRUE(QDir().mkpath(Target()));
    }
    QString Pictures() const { return m_dir.filePath("temp/Report/Img"); }
    QString Target() const { return m_dir.filePath("saved"); }
    static void WriteFile(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QByteArray ReadFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QTemporaryDir m_dir;
};

TEST_F(ReportSaveFolder, SoundReportGetsItsPictureFolderWithoutOverwriting)
{
    WriteFile(Pictures() + "/Sound.bmp", "new");
    const QString file = Target() + "/taro.html";
    ASSERT_EQ(SaveReport({"<img src=\"Img/Sound.bmp\" width=\"1\" height=\"1\">"}, ReportKind::Sound, file, Pictures()),
              ReportSaveResult::Saved);
    EXPECT_EQ(ReadFile(Target() + "/taroImg/Sound.bmp"), "new");
    EXPECT_EQ(ReadFile(file), "<img src=\"taroImg/Sound.bmp\" width=\"1\" height=\"1\">\r\n");

    WriteFile(Pictures() + "/Sound.bmp", "newer");
    ASSERT_EQ(SaveReport({"x"}, ReportKind::Sound, file, Pictures()), ReportSaveResult::Saved);
    EXPECT_EQ(ReadFile(Target() + "/taroImg/Sound.bmp"), "new");
}

TEST_F(ReportSaveFolder, RoutineReportCopiesTheExistingRoutinePictures)
{
    WriteFile(Pictures() + "/Routine0.bmp", "0");
    WriteFile(Pictures() + "/Routine3.bmp", "3");
    ASSERT_EQ(SaveReport({"y"}, ReportKind::Routine, Target() + "/hana.htm", Pictures()), ReportSaveResult::Saved);
    EXPECT_EQ(QDir(Target() + "/hanaImg").entryList(QDir::Files), (QStringList{"Routine0.bmp", "Routine3.bmp"}));
}

TEST_F(ReportSaveFolder, WordAndIconReportsWriteOnlyTheHtml)
{
    WriteFile(Pictures() + "/Sound.bmp", "s");
    for (const ReportKind kind : {ReportKind::Word, ReportKind::Icons}) {
        ASSERT_EQ(SaveReport({"<img src=\"/abs/Img/x.bmp\">"}, kind, Target() + "/jiro.html", Pictures()),
                  ReportSaveResult::Saved);
        EXPECT_EQ(QDir(Target()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"jiro.html"});
        EXPECT_EQ(ReadFile(Target() + "/jiro.html"), "<img src=\"/abs/Img/x.bmp\">\r\n");
    }
}

TEST_F(ReportSaveFolder, UnwritableTargetReportsTheFailure)
{
    EXPECT_EQ(SaveReport({"z"}, ReportKind::Word, m_dir.filePath("missing/dir/z.html"), Pictures()),
              ReportSaveResult::WriteFailed);
}

// A report saved again over the old one on a full disk: the old page stays,
// and no cut picture is left beside it.
using ReportFullDiskTest = testing::FullFolderTest;

TEST_P(ReportFullDiskTest, FailedSaveKeepsTheOldPage)
{
    const QTemporaryDir pictures;
    testing::WriteBytes(pictures.filePath("Sound.bmp"), QByteArray(64 * 1024, 'b'));
    const QString page = m_full.FilePath("taro.html");
    testing::WriteBytes(page, "<p>old</p>\r\n");
    for (const ReportKind kind : {ReportKind::Word, ReportKind::Sound}) {
        m_full.Fill();
        const ReportSaveResult saved = SaveReport({"<img src=\"Img/Sound.bmp\">"}, kind, page, pictures.path());
        m_full.Empty();
        EXPECT_NE(saved, ReportSaveResult::Saved);
        EXPECT_EQ(testing::ReadBytes(page), QByteArray("<p>old</p>\r\n"));
        EXPECT_TRUE(QDir(m_full.FilePath("taroImg")).isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(OnAFullDisk, ReportFullDiskTest, ::testing::ValuesIn(testing::kFullFolderKinds),
                         testing::FullFolderKindName);

}  // namespace
}  // namespace kq
