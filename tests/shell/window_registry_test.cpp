#include "services/window_registry.h"
#include "studio_fixture.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace kq::testing {
namespace {

// Stands in for a window of a later issue; counts how many were made and live.
class TestWindow final : public QWidget {
public:
    TestWindow() { ++made; ++alive; }
    ~TestWindow() override { --alive; }
    inline static int made = 0;
    inline static int alive = 0;
};

class WindowRegistryTest : public StudioFixture {
protected:
    WindowRegistryTest()
    {
        TestWindow::made = 0;
        TestWindow::alive = 0;
        for (WindowKind kind : {WindowKind::FlowchartEditor, WindowKind::IconEditor})
            Windows().Register(kind, WindowLifetime::PerOpening, [] { return new TestWindow; });
        menu().ShowPage(MainMenu::Page::Studio);
    }

    WindowRegistry &Windows() { return studio.Windows(); }
    static void RunDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

TEST_F(WindowRegistryTest, MenuHidesWhileAWindowIsOpenAndEachOpeningAfterACloseGivesAFreshWindow)
{
    for (int opening = 1; opening <= 2; ++opening) {
        Click(QStringLiteral("Image15"));
        QWidget *window = Windows().Find(WindowKind::FlowchartEditor);
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible());
        EXPECT_FALSE(menu().isVisible());
        EXPECT_EQ(TestWindow::made, opening);

        window->close();
        EXPECT_TRUE(menu().isVisible());
        EXPECT_EQ(Windows().Find(WindowKind::FlowchartEditor), nullptr);
        RunDeferredDeletes();
        EXPECT_EQ(TestWindow::alive, 0);
    }
}

TEST_F(WindowRegistryTest, AnOpenWindowIsShownAgainRatherThanMadeTwice)
{
    QWidget *open = Windows().OpenFromMenu(WindowKind::FlowchartEditor);
    EXPECT_EQ(Windows().OpenFromMenu(WindowKind::FlowchartEditor), open);
    EXPECT_EQ(TestWindow::made, 1);
}

TEST_F(WindowRegistryTest, DuringAStepSwitchTheMenuStaysHiddenUntilTheNextStepCloses)
{
    QWidget *flowchart = Windows().OpenFromMenu(WindowKind::FlowchartEditor);
    context.StepSwitch() = {true, Step::Flowchart};
    flowchart->close();
    EXPECT_FALSE(menu().isVisible());

    QWidget *icons = Windows().OpenFromMenu(WindowKind::IconEditor);
    context.StepSwitch().underWay = false;
    icons->close();
    EXPECT_TRUE(menu().isVisible());
}

TEST_F(WindowRegistryTest, ShowingTheMenuClearsTheStepSwitchFlag)
{
    menu().hide();
    context.StepSwitch() = {true, Step::Text};
    menu().show();
    EXPECT_FALSE(context.StepSwitch().underWay);
}

TEST_F(WindowRegistryTest, AWindowDestroyedWhileOpenBringsTheMenuBack)
{
    delete Windows().OpenFromMenu(WindowKind::FlowchartEditor);
    EXPECT_TRUE(menu().isVisible());
    EXPECT_EQ(Windows().Find(WindowKind::FlowchartEditor), nullptr);
}

TEST_F(WindowRegistryTest, PicturesOfWindowsThatCannotBeMadeDoNothing)
{
    const struct {
        const char *picture;
        WindowKind kind;
    } cases[] = {{"Image3", WindowKind::IconPractice},  {"Image6", WindowKind::MelodyEditor},
                 {"Image7", WindowKind::Thermometer},   {"Image8", WindowKind::TrainController},
                 {"Image16", WindowKind::TextEditor},   {"Image18", WindowKind::KeywordSettings}};
    for (const auto &c : cases) {
        Windows().Register(c.kind, WindowLifetime::PerOpening, []() -> QWidget * { return nullptr; });
        Click(QString::fromLatin1(c.picture));
        EXPECT_TRUE(menu().isVisible()) << c.picture;
    }
}

// Like the clock setting: made at start-up, opened from the menu, kept when
// it closes, and the same window every time.
TEST_F(WindowRegistryTest, AReusedWindowIsMadeOnceAndOnlyHiddenWhenItLeaves)
{
    const WindowKind kind = WindowKind::KeywordSettings;
    Windows().Register(kind, WindowLifetime::Reused, [] { return new TestWindow; });
    Windows().CreateReusedWindows();
    QWidget *made = Windows().Find(kind);
    ASSERT_NE(made, nullptr);
    EXPECT_FALSE(made->isVisible());
    EXPECT_TRUE(menu().isVisible());

    for (int opening = 1; opening <= 2; ++opening) {
        Click(QStringLiteral("Image18"));
        EXPECT_EQ(Windows().Find(kind), made);
        EXPECT_TRUE(made->isVisible());
        EXPECT_FALSE(menu().isVisible());
        made->close();
        RunDeferredDeletes();
        EXPECT_TRUE(menu().isVisible());
        EXPECT_EQ(Windows().Find(kind), made);
    }
    EXPECT_EQ(TestWindow::made, 1);
    EXPECT_EQ(TestWindow::alive, 1);
}

// The preview, the transfer data and the report return to the editor that
// opened them; the menu stays hidden behind it.
TEST_F(WindowRegistryTest, AWindowOpenedFromAnEditorReturnsToItAndNeverBringsTheMenuBack)
{
    for (WindowLifetime lifetime : {WindowLifetime::Reused, WindowLifetime::PerOpening}) {
        Windows().Register(WindowKind::Preview, lifetime, [] { return new TestWindow; });
        QWidget *editor = Windows().OpenFromMenu(WindowKind::FlowchartEditor);
        QWidget *preview = Windows().OpenFromEditor(WindowKind::Preview, editor);
        ASSERT_NE(preview, nullptr);
        EXPECT_TRUE(preview->isVisible());
        EXPECT_TRUE(editor->isVisible());

        preview->close();
        EXPECT_FALSE(menu().isVisible());
        EXPECT_TRUE(editor->isVisible());
        EXPECT_EQ(Windows().Find(WindowKind::Preview) != nullptr, lifetime == WindowLifetime::Reused);

        editor->close();
        EXPECT_TRUE(menu().isVisible());
        RunDeferredDeletes();
    }
}

}  // namespace
}  // namespace kq::testing
