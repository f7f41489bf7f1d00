#include "base/text_file.h"
#include "editors/flowchart/flowchart_window.h"
#include "services/window_registry.h"
#include "studio_fixture.h"
#include "support/file_bytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>

namespace kq::testing {
namespace {

using MenuActionsTest = StudioFixture;

TEST_F(MenuActionsTest, StartsOnTheFirstPageAndItsBigPictureLeadsToTheStudioPage)
{
    EXPECT_TRUE(menu().isVisible());
    EXPECT_EQ(menu().CurrentPage(), MainMenu::Page::Start);
    Click(QStringLiteral("Image10"));
    EXPECT_EQ(menu().CurrentPage(), MainMenu::Page::Studio);
}

TEST_F(MenuActionsTest, PanelMakerGetsItsHandOverFileThenStartsAndTheStudioEnds)
{
    const QString handOver = temp.Paths().AppDataFolder() + QStringLiteral("KQ-18Temp/Product.txt");
    ASSERT_FALSE(QDir(temp.Paths().AppDataFolder() + QStringLiteral("KQ-18Temp")).exists());
    bool fileThereDuringWait = false;
    bool startedDuringWait = true;
    waiter.SetOnWait([&](int) {
        fileThereDuringWait = QFile::exists(handOver);
        startedDuringWait = !launcher.programs.isEmpty();
    });
    QSignalSpy closed(&menu(), &MainMenu::Closed);

    Click(QStringLiteral("Image11"));

    EXPECT_EQ(ReadBytes(handOver), QByteArray("5\r\n"));
    EXPECT_EQ(waiter.Waits(), QList<int>{500});
    EXPECT_TRUE(fileThereDuringWait);
    EXPECT_FALSE(startedDuringWait);
    EXPECT_EQ(launcher.programs, QStringList{kPanelMaker});
    EXPECT_FALSE(menu().isVisible());
    EXPECT_EQ(closed.count(), 1);
    EXPECT_TRUE(dialogs.Records().isEmpty());
}

TEST_F(MenuActionsTest, ClosingTheStudioDeletesTheStepSwitchFile)
{
    // Both end pictures, and a closing with no file left over.
    const struct {
        MainMenu::Page page;
        const char *picture;
        bool leftOver;
    } cases[] = {
        {MainMenu::Page::Start, "Image2", true},
        {MainMenu::Page::Studio, "Image12", true},
        {MainMenu::Page::Studio, "Image12", false},
    };
    const QString cache = temp.Paths().TempFolder() + QStringLiteral("cache.kq27");
    for (const auto &c : cases) {
        if (c.leftOver) {
            ASSERT_TRUE(WriteTextLines(cache, {QStringLiteral("START"), QStringLiteral("END")}));
        }
        menu().show();
        menu().ShowPage(c.page);
        QSignalSpy closed(&menu(), &MainMenu::Closed);
        Click(QString::fromLatin1(c.picture));
        EXPECT_FALSE(QFile::exists(cache)) << c.picture;
        EXPECT_FALSE(menu().isVisible());
        EXPECT_EQ(closed.count(), 1);
    }
    EXPECT_TRUE(launcher.programs.isEmpty());
}

TEST_F(MenuActionsTest, HelpOpensTheGeneralPageOfTheProgramFolderAndAMissingPageNothing)
{
    menu().ShowPage(MainMenu::Page::Studio);
    Click(QStringLiteral("Image19"));
    EXPECT_TRUE(launcher.documents.isEmpty());

    const QString page = temp.Paths().ProgramFolder() + QStringLiteral("HTML/Navi/KQ-27navi.html");
    ASSERT_TRUE(QDir().mkpath(QFileInfo(page).absolutePath()));
    ASSERT_TRUE(WriteTextLines(page, {QStringLiteral("<html></html>")}));
    Click(QStringLiteral("Image19"));
    EXPECT_EQ(launcher.documents, QStringList{page});
    EXPECT_TRUE(menu().isVisible());
    EXPECT_TRUE(dialogs.Records().isEmpty());
}

TEST_F(MenuActionsTest, DraggingAPageBackgroundMovesTheWindow)
{
    QWidget *page = menu().findChild<QWidget *>(QStringLiteral("TabSheet1"));
    ASSERT_NE(page, nullptr);
    const QPoint start = menu().pos();
    const QPoint grab(300, 20);  // on the title, away from the pictures

    QMouseEvent press(QEvent::MouseButtonPress, grab, page->mapToGlobal(grab), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(page, &press);
    const QPoint to = grab + QPoint(40, -15);
    QMouseEvent move(QEvent::MouseMove, to, page->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(page, &move);

    EXPECT_EQ(menu().pos(), start + QPoint(40, -15));
}

}  // namespace
}  // namespace kq::testing

namespace kq::testing {
namespace {

// Made hidden at start-up, the clock setting and the transfer data viewer
// are the same windows for the whole run.
TEST_F(MenuActionsTest, WindowsMadeAtStartAreHiddenUntilOpened)
{
    for (WindowKind kind : {WindowKind::Preview, WindowKind::ParameterDialog, WindowKind::TransferData,
                            WindowKind::Report, WindowKind::ClockSetting}) {
        QWidget *window = studio.Windows().Find(kind);
        ASSERT_NE(window, nullptr);
        EXPECT_FALSE(window->isVisible());
    }
    QWidget *clock = studio.Windows().Find(WindowKind::ClockSetting);
    menu().ShowPage(MainMenu::Page::Studio);
    Click(QStringLiteral("Image13"));
    EXPECT_TRUE(clock->isVisible());
    EXPECT_FALSE(menu().isVisible());
    clock->close();
    EXPECT_TRUE(menu().isVisible());
    EXPECT_EQ(studio.Windows().Find(WindowKind::ClockSetting), clock);
}

}  // namespace
}  // namespace kq::testing

namespace kq::testing {
namespace {

// Every window built so far opens from its picture, hides the menu and
// brings it back when it closes.
TEST_F(MenuActionsTest, PicturesOpenTheirWindows)
{
    const struct {
        const char *picture;
        WindowKind kind;
    } cases[] = {{"Image3", WindowKind::IconPractice},  {"Image4", WindowKind::FlowchartPractice},
                 {"Image5", WindowKind::TextPractice},  {"Image14", WindowKind::IconEditor},
                 {"Image15", WindowKind::FlowchartEditor},
                 {"Image16", WindowKind::TextEditor},  {"Image18", WindowKind::KeywordSettings},
                 {"Image6", WindowKind::MelodyEditor},
                 {"Image7", WindowKind::Thermometer},  {"Image8", WindowKind::TrainController},
                 {"Image13", WindowKind::ClockSetting}};
    menu().ShowPage(MainMenu::Page::Studio);
    for (const auto &c : cases) {
        Click(QString::fromLatin1(c.picture));
        QWidget *window = studio.Windows().Find(c.kind);
        ASSERT_NE(window, nullptr) << c.picture;
        EXPECT_TRUE(window->isVisible()) << c.picture;
        EXPECT_FALSE(menu().isVisible()) << c.picture;
        window->close();
        EXPECT_TRUE(menu().isVisible()) << c.picture;
    }
    EXPECT_EQ(studio.Windows().FindAs<QWidget>(WindowKind::IconEditor), nullptr);
}

}  // namespace
}  // namespace kq::testing

namespace kq::testing {
namespace {

// STEP2's "プレビュー" shows the preview made at start-up over the editor,
// and closing it returns to the editor, not to the menu.
TEST_F(MenuActionsTest, TheFlowchartsPreviewOpensOverItAndReturnsToIt)
{
    menu().ShowPage(MainMenu::Page::Studio);
    Click(QStringLiteral("Image15"));
    auto *flowchart = studio.Windows().FindAs<FlowchartWindow>(WindowKind::FlowchartEditor);
    ASSERT_NE(flowchart, nullptr);
    // The installed demo, in this test's program folder.
    const QString demo = QStringLiteral("Data/Demo/fro/demo1(フロー).kq27");
    ASSERT_TRUE(QDir().mkpath(QFileInfo(temp.Paths().ProgramFile(demo)).absolutePath()));
    ASSERT_TRUE(QFile::copy(QStringLiteral(KQ_DATA_DIR "/") + demo, temp.Paths().ProgramFile(demo)));
    flowchart->Action(QStringLiteral("Demo1"))->trigger();
    QWidget *preview = studio.Windows().Find(WindowKind::Preview);
    ASSERT_NE(preview, nullptr);
    EXPECT_FALSE(preview->isVisible());

    flowchart->Action(QStringLiteral("Preview"))->trigger();
    ASSERT_EQ(dialogs.Texts(RecordingDialogs::Kind::Warning), QStringList());
    EXPECT_TRUE(preview->isVisible());
    EXPECT_TRUE(preview->isModal());
    preview->close();
    EXPECT_TRUE(flowchart->isVisible());
    EXPECT_FALSE(menu().isVisible());
    EXPECT_EQ(studio.Windows().Find(WindowKind::Preview), preview);
    EXPECT_TRUE(dialogs.Texts(RecordingDialogs::Kind::Warning).isEmpty());
}

}  // namespace
}  // namespace kq::testing
