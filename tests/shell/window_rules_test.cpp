#include "shell/window_registry.h"
#include "studio_fixture.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace kq::testing {
namespace {

// Stands in for a window of a later step; counts how many were made and live.
class TestWindow final : public QWidget {
public:
    TestWindow() { ++made; ++alive; }
    ~TestWindow() override { --alive; }
    inline static int made = 0;
    inline static int alive = 0;
};

class WindowRulesTest : public StudioFixture {
protected:
    WindowRulesTest()
    {
        TestWindow::made = 0;
        TestWindow::alive = 0;
        for (WindowKind kind : {WindowKind::FlowchartEditor, WindowKind::IconEditor})
            studio.windows().Register(kind, [] { return new TestWindow; });
        menu().ShowPage(MainMenu::Page::Studio);
    }

    static void RunDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

TEST_F(WindowRulesTest, MenuHidesWhileAWindowIsOpenAndEachOpeningAfterACloseGivesAFreshWindow)
{
    for (int opening = 1; opening <= 2; ++opening) {
        Click(QStringLiteral("Image15"));
        QWidget *window = studio.windows().Find(WindowKind::FlowchartEditor);
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible());
        EXPECT_FALSE(menu().isVisible());
        EXPECT_EQ(TestWindow::made, opening);

        window->close();
        EXPECT_TRUE(menu().isVisible());
        EXPECT_EQ(studio.windows().Find(WindowKind::FlowchartEditor), nullptr);
        RunDeferredDeletes();
        EXPECT_EQ(TestWindow::alive, 0);
    }
}

TEST_F(WindowRulesTest, AnOpenWindowIsShownAgainRatherThanMadeTwice)
{
    QWidget *open = studio.windows().Open(WindowKind::FlowchartEditor);
    EXPECT_EQ(studio.windows().Open(WindowKind::FlowchartEditor), open);
    EXPECT_EQ(TestWindow::made, 1);
}

TEST_F(WindowRulesTest, DuringAStepSwitchTheMenuStaysHiddenUntilTheNextStepCloses)
{
    QWidget *flowchart = studio.windows().Open(WindowKind::FlowchartEditor);
    context.stepSwitch() = {true, 2};
    flowchart->close();
    EXPECT_FALSE(menu().isVisible());

    QWidget *icons = studio.windows().Open(WindowKind::IconEditor);
    context.stepSwitch().underWay = false;
    icons->close();
    EXPECT_TRUE(menu().isVisible());
}

TEST_F(WindowRulesTest, ShowingTheMenuClearsTheStepSwitchFlag)
{
    menu().hide();
    context.stepSwitch() = {true, 3};
    menu().show();
    EXPECT_FALSE(context.stepSwitch().underWay);
}

TEST_F(WindowRulesTest, AWindowDestroyedWhileOpenBringsTheMenuBack)
{
    delete studio.windows().Open(WindowKind::FlowchartEditor);
    EXPECT_TRUE(menu().isVisible());
    EXPECT_EQ(studio.windows().Find(WindowKind::FlowchartEditor), nullptr);
}

TEST_F(WindowRulesTest, PicturesOfWindowsNotBuiltYetOrThatCannotBeMadeDoNothing)
{
    studio.windows().Register(WindowKind::Thermometer, []() -> QWidget * { return nullptr; });
    for (const char *picture : {"Image3", "Image4", "Image5", "Image16", "Image6", "Image7", "Image8", "Image13",
                                "Image18"}) {
        Click(QString::fromLatin1(picture));
        EXPECT_TRUE(menu().isVisible()) << picture;
    }
    EXPECT_EQ(TestWindow::made, 0);
}

}  // namespace
}  // namespace kq::testing
