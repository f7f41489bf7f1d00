#include "editors/common/registered_step_windows.h"
#include "editors/common/step_switch.h"
#include "editors/test_step.h"
#include "services/window_registry.h"
#include "studio_fixture.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace kq::testing {
namespace {

// A step editor's window reduced to what a switch needs: it hosts a test
// step's document.
class TestStepWindow final : public QWidget, public StepWindowHost {
public:
    explicit TestStepWindow(Step step) : document(step, MarkerOf(step)) {}

    QWidget *DialogParent() override { return this; }
    void SetCaption(const QString &caption) override { setWindowTitle(caption); }
    StepEditor Editor() { return {&document, this}; }

    TestStep document;
};

class StepWindowsTest : public StudioFixture {
protected:
    StepWindowsTest()
    {
        for (Step step : {Step::Icons, Step::Flowchart, Step::Text})
            studio.Steps().Register(step, [step] { return (new TestStepWindow(step))->Editor(); });
        menu().ShowPage(MainMenu::Page::Studio);
    }
};

TEST_F(StepWindowsTest, MenuPicturesOpenTheStepEditors)
{
    const struct {
        const char *picture;
        Step step;
    } cases[] = {{"Image14", Step::Icons}, {"Image15", Step::Flowchart}, {"Image16", Step::Text}};
    for (const auto &c : cases) {
        Click(QString::fromLatin1(c.picture));
        // The open window's editor, shown again rather than made twice.
        const StepEditor shown = studio.Steps().ShowStep(c.step);
        ASSERT_TRUE(shown) << c.picture;
        EXPECT_EQ(shown.document->StepKind(), c.step);
        EXPECT_FALSE(menu().isVisible());
        shown.host->DialogParent()->close();
        EXPECT_TRUE(menu().isVisible()) << c.picture;
    }
}

TEST_F(StepWindowsTest, SwitchingStepsReplacesTheWindowWithoutShowingTheMenuUntilTheNewOneCloses)
{
    const StepEditor flowchart = studio.Steps().ShowStep(Step::Flowchart);
    ASSERT_TRUE(flowchart);
    static_cast<TestStep *>(flowchart.document)->SetInstructions({QStringLiteral("4,1,0,0,0,0,0")});

    ASSERT_TRUE(SwitchStep(context, studio.Steps(), flowchart, Step::Text));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    EXPECT_EQ(studio.Windows().Find(WindowKind::FlowchartEditor), nullptr);
    const StepEditor text = studio.Steps().ShowStep(Step::Text);
    ASSERT_TRUE(text);
    EXPECT_EQ(static_cast<TestStep *>(text.document)->instructions, QStringList{QStringLiteral("4,1,0,0,0,0,0")});
    EXPECT_TRUE(text.host->DialogParent()->isVisible());
    EXPECT_FALSE(menu().isVisible());
    EXPECT_FALSE(context.StepSwitch().underWay);

    text.host->DialogParent()->close();
    EXPECT_TRUE(menu().isVisible());
}

}  // namespace
}  // namespace kq::testing
