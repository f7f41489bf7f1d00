#include "editors/common/step_document.h"
#include "editors/common/step_switch.h"
#include "model/program_file.h"
#include "shell/studio_step_windows.h"
#include "shell/window_registry.h"
#include "studio_fixture.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace kq::testing {
namespace {

// A step editor reduced to what a switch needs: it shows any program lines.
class TestStepWindow final : public QWidget, public StepDocument {
public:
    explicit TestStepWindow(int step) : m_step(step) {}

    int StepNumber() const override { return m_step; }
    QString SectionMarker() const override
    {
        return m_step == 1 ? kIconSectionMarker : m_step == 2 ? kFlowchartSectionMarker : kTextSectionMarker;
    }
    QString DefaultEnding() const override { return QStringLiteral(".kq27"); }
    QString SaveFailedMessage() const override { return kSaveFailedMessage; }
    StepMessage ForeignFileRefusal() const override { return {}; }
    std::optional<QStringList> ProgramLines() override { return lines; }
    QStringList SectionLines() const override { return {}; }
    bool HasInstructions() const override { return lines.size() > 2; }
    bool LoadSection(const QStringList &) override { return true; }
    std::optional<StepMessage> LoadProgramLines(const QStringList &programLines) override
    {
        lines = programLines;
        return std::nullopt;
    }
    QWidget *DialogParent() override { return this; }
    void SetCaption(const QString &caption) override { setWindowTitle(caption); }

    QStringList lines{QStringLiteral("START"), QStringLiteral("END")};

private:
    int m_step;
};

class StepWindowsTest : public StudioFixture {
protected:
    StepWindowsTest()
    {
        for (int step : {1, 2, 3})
            studio.steps().Register(step, [step] { return new TestStepWindow(step); });
        menu().ShowPage(MainMenu::Page::Studio);
    }
};

TEST_F(StepWindowsTest, MenuPicturesOpenTheStepEditors)
{
    const struct {
        const char *picture;
        int step;
    } cases[] = {{"Image14", 1}, {"Image15", 2}, {"Image16", 3}};
    for (const auto &c : cases) {
        Click(QString::fromLatin1(c.picture));
        // The open window's document, shown again rather than made twice.
        StepDocument *shown = studio.steps().ShowStep(c.step);
        ASSERT_NE(shown, nullptr) << c.picture;
        EXPECT_EQ(shown->StepNumber(), c.step);
        EXPECT_FALSE(menu().isVisible());
        shown->DialogParent()->close();
        EXPECT_TRUE(menu().isVisible()) << c.picture;
    }
}

TEST_F(StepWindowsTest, SwitchingStepsReplacesTheWindowWithoutShowingTheMenuUntilTheNewOneCloses)
{
    StepDocument *flowchart = studio.steps().ShowStep(2);
    ASSERT_NE(flowchart, nullptr);
    const QStringList program{QStringLiteral("START"), QStringLiteral("4,1,0,0,0,0,0"), QStringLiteral("END")};
    static_cast<TestStepWindow *>(flowchart)->lines = program;

    ASSERT_TRUE(SwitchStep(context, studio.steps(), *flowchart, 3));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    EXPECT_EQ(studio.windows().Find(WindowKind::FlowchartEditor), nullptr);
    auto *text = static_cast<TestStepWindow *>(studio.steps().ShowStep(3));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->lines, program);
    EXPECT_TRUE(text->isVisible());
    EXPECT_FALSE(menu().isVisible());
    EXPECT_FALSE(context.stepSwitch().underWay);

    text->close();
    EXPECT_TRUE(menu().isVisible());
}

}  // namespace
}  // namespace kq::testing
