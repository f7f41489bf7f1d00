#include "base/text_file.h"
#include "learning/learning_windows.h"
#include "learning/report_window.h"
#include "services/recovery_offer.h"
#include "services/dialog_folder.h"
#include "services/window_registry.h"

#include "support/test_context.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace kq {
namespace {

using Kind = testing::RecordingDialogs::Kind;

class ReportWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const Paths &paths = studio.temp.Paths();
        ASSERT_TRUE(QDir().mkpath(paths.ProgramFolder() + "/Data/Report"));
        ASSERT_TRUE(WriteTextLines(paths.ProgramFile("Data/Report/Report_Sound.html"),
                                   {"<html><body>", "<p>Name</p>", "<p>Kanso</p>", "<div>Picture</div>", "</body></html>"}));
        ASSERT_TRUE(QDir().mkpath(Pictures()));
        QImage staff(1000, 260, QImage::Format_RGB32);
        staff.fill(Qt::white);
        ASSERT_TRUE(staff.save(Pictures() + "/Sound.bmp", "BMP"));
        ReportFields fields;
        fields.year = "5";
        fields.group = "2";
        fields.number = "14";
        fields.name = "taro";
        fields.impressions = "<楽しかった>";
        studio.context.ReportFields().Set(fields);
        ReportWork work;
        work.kind = ReportKind::Sound;
        window.SetWork(work);
    }
    QString Pictures() const { return studio.temp.Paths().TempFolder() + "Report/Img"; }
    int Page() const { return window.findChild<QStackedWidget *>()->currentIndex(); }

    testing::TestContext studio;
    ReportWindow window{studio.context};
};

TEST_F(ReportWindowTest, NextBuildsThePreviewFromTheSharedFields)
{
    EXPECT_EQ(window.findChild<QLineEdit *>("Edit3")->text(), "taro");
    window.Next();
    EXPECT_EQ(Page(), 1);
    const std::optional<TextFileContent> built = ReadTextLines(studio.temp.Paths().TempFolder() + "Report/print.html");
    ASSERT_TRUE(built);
    EXPECT_EQ(built->lines[1], "<p>5年　2組　14番　　名前：　taro</p>");
    EXPECT_EQ(built->lines[2], "<p>&lt;楽しかった&gt;<BR></p>");
    EXPECT_EQ(built->lines[3], "<div><img src=\"Img/Sound.bmp\" width=\"600\" height=\"156\"></div>");
    EXPECT_TRUE(window.findChild<QTextBrowser *>()->toPlainText().contains("taro"));
    window.BackToInput();
    EXPECT_EQ(Page(), 0);
}

TEST_F(ReportWindowTest, MissingNameWarnsAndBuildsNothing)
{
    window.findChild<QLineEdit *>("Edit3")->clear();
    ReportFields fields = studio.context.ReportFields().Value();
    fields.name.clear();
    studio.context.ReportFields().Set(fields);
    window.Next();
    EXPECT_EQ(studio.dialogs.Texts(Kind::Warning), QStringList{"学年、組、名前を正しく入力して下さい。"});
    EXPECT_EQ(Page(), 0);
    EXPECT_FALSE(QFile::exists(studio.temp.Paths().TempFolder() + "Report/print.html"));
}

TEST_F(ReportWindowTest, TypedFieldsBecomeTheSharedFields)
{
    window.findChild<QPlainTextEdit *>("Memo2")->setPlainText("時計");
    EXPECT_EQ(studio.context.ReportFields().Value().title, "時計");
    EXPECT_EQ(studio.context.ReportFields().Value().name, "taro");
}

TEST_F(ReportWindowTest, SaveWritesThePageAndItsPictureFolderAskingBeforeOverwriting)
{
    const QString target = studio.temp.Root() + "/taro";
    studio.dialogs.fileNames.enqueue(target);
    window.Save();
    const std::optional<TextFileContent> saved = ReadTextLines(target + ".html");
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->lines[3], "<div><img src=\"taroImg/Sound.bmp\" width=\"600\" height=\"156\"></div>");
    EXPECT_TRUE(QFile::exists(target + "Img/Sound.bmp"));

    studio.dialogs.fileNames.enqueue(target + ".html");
    studio.dialogs.yesNoAnswers.enqueue(false);
    ASSERT_TRUE(WriteTextLines(target + ".html", {"kept"}));
    window.Save();
    EXPECT_EQ(studio.dialogs.Texts(Kind::Question), QStringList{"同じ名前のファイルが既にあります。上書きしますか？"});
    EXPECT_EQ(ReadTextLines(target + ".html")->lines, QStringList{"kept"});
    // The pupil's name is proposed, first on the desktop, then where the last
    // report went.
    EXPECT_EQ(studio.dialogs.Texts(Kind::SaveFile),
              (QStringList{DesktopOrHomeFolder() + "/taro", studio.temp.Root() + "/taro"}));
}

TEST_F(ReportWindowTest, MissingMelodyPictureEndsTheCommand)
{
    ASSERT_TRUE(QFile::remove(Pictures() + "/Sound.bmp"));
    window.Next();
    EXPECT_EQ(studio.dialogs.Texts(Kind::Warning).size(), 1);
    EXPECT_EQ(Page(), 0);
}

// Made once at start-up; each editor hands its work over and the window
// shows, not modal, centred over it, on its input page.
TEST(ReportWindowOpening, ReusedWindowShownCentredOverTheCallerWithItsWork)
{
    testing::TestContext studio;
    QWidget menu;
    WindowRegistry windows(menu, [] { return false; });
    RecoveryRestorers restorers;
    RegisterLearningWindows(windows, studio.context, restorers);
    windows.CreateReusedWindows();
    auto *made = windows.FindAs<ReportWindow>(WindowKind::Report);
    ASSERT_TRUE(made);
    EXPECT_FALSE(made->isVisible());

    QWidget caller;
    caller.setGeometry(100, 100, 1200, 900);
    caller.show();
    ReportWork work;
    work.kind = ReportKind::Icons;
    OpenReport(windows, &caller, work);
    EXPECT_TRUE(made->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(made->geometry().center(), caller.geometry().center());
    EXPECT_EQ(made->findChild<QStackedWidget *>()->currentIndex(), 0);
    made->close();
    EXPECT_EQ(windows.Find(WindowKind::Report), made);
}

}  // namespace
}  // namespace kq
