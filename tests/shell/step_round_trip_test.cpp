#include "controls/code_editor.h"
#include "editors/flowchart/flowchart_window.h"
#include "editors/text/text_window.h"
#include "services/window_registry.h"
#include "studio_fixture.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>

namespace kq::testing {
namespace {

// The studio's own STEP2 and STEP3 windows, switched through their menus the
// way a pupil does: an edit that leaves the program lines as they are must
// survive every later round trip, not only the first.
class StepRoundTripTest : public StudioFixture {
protected:
    StepRoundTripTest() : StudioFixture(QStringLiteral(KQ_DATA_DIR)) {}

    template <typename Window> Window *Shown(WindowKind kind)
    {
        // The window a switch closed goes with the deferred deletions.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        auto *window = studio.Windows().FindAs<Window>(kind);
        return window && window->isVisible() ? window : nullptr;
    }

    // To STEP2 and back; the text window shown afterwards, or nullptr.
    TextWindow *TextRoundTrip(TextWindow &text)
    {
        text.Action(QStringLiteral("ShowFlowchart"))->trigger();
        FlowchartWindow *flowchart = Shown<FlowchartWindow>(WindowKind::FlowchartEditor);
        if (!flowchart)
            return nullptr;
        flowchart->Action(QStringLiteral("ShowText"))->trigger();
        return Shown<TextWindow>(WindowKind::TextEditor);
    }

    // To STEP3 and back; the flowchart window shown afterwards, or nullptr.
    FlowchartWindow *FlowchartRoundTrip(FlowchartWindow &flowchart)
    {
        flowchart.Action(QStringLiteral("ShowText"))->trigger();
        TextWindow *text = Shown<TextWindow>(WindowKind::TextEditor);
        if (!text)
            return nullptr;
        text->Action(QStringLiteral("ShowFlowchart"))->trigger();
        return Shown<FlowchartWindow>(WindowKind::FlowchartEditor);
    }

    // The flowchart's section without its free slots.
    static QStringList Drawn(FlowchartWindow &flowchart)
    {
        QStringList lines = flowchart.Document().SectionLines();
        lines.removeAll(QStringLiteral("0--0-0----"));
        return lines;
    }

    FlowchartWindow *OpenFlowchartDemo(const QString &demo)
    {
        auto *flowchart = qobject_cast<FlowchartWindow *>(studio.Windows().OpenFromMenu(WindowKind::FlowchartEditor));
        if (flowchart)
            flowchart->Action(demo)->trigger();
        return flowchart;
    }
};

TEST_F(StepRoundTripTest, AChangedCommentSurvivesTheNextRoundTrip)
{
    auto *text = qobject_cast<TextWindow *>(studio.Windows().OpenFromMenu(WindowKind::TextEditor));
    ASSERT_TRUE(text);
    text->EditorControl().setPlainText(QStringLiteral("beep1(); // hello"));
    text = TextRoundTrip(*text);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->EditorControl().Text(), "beep1(); // hello\n");

    text->EditorControl().setPlainText(QStringLiteral("beep1(); // bye"));
    text = TextRoundTrip(*text);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->EditorControl().Text(), "beep1(); // bye\n");
    // Unchanged since, the text keeps coming back as typed.
    text = TextRoundTrip(*text);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->EditorControl().Text(), "beep1(); // bye\n");
    EXPECT_TRUE(dialogs.Records().isEmpty());
}

// A moved box (demo 1's end box) and a renamed subroutine (demo 2's "LIGHT")
// change the flowchart's section alone.
TEST_F(StepRoundTripTest, AFlowchartEditOutsideTheProgramLinesSurvivesTheNextRoundTrip)
{
    const struct {
        const char *demo;
        void (*edit)(Flowchart &chart);
    } cases[] = {
        {"Demo1",
         [](Flowchart &chart) {
             for (int slot = 0; slot < kRoutineSlots; ++slot) {
                 if (chart.Node(slot).kind == NameOf(InstructionKind::End))
                     chart.Press(slot);
             }
             chart.MoveSelection(150, 40);
         }},
        {"Demo2", [](Flowchart &chart) { chart.SetSubroutineName(1, QStringLiteral("HIKARI")); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.demo);
        FlowchartWindow *flowchart = OpenFlowchartDemo(QString::fromLatin1(c.demo));
        ASSERT_TRUE(flowchart);
        const QStringList demo = Drawn(*flowchart);
        flowchart = FlowchartRoundTrip(*flowchart);
        ASSERT_TRUE(flowchart);
        EXPECT_EQ(Drawn(*flowchart), demo);

        const QStringList before = flowchart->Document().ProgramLines().lines.value();
        flowchart->Document().Edit(c.edit);
        const QStringList edited = Drawn(*flowchart);
        ASSERT_NE(edited, demo);
        ASSERT_EQ(flowchart->Document().ProgramLines().lines, before);
        flowchart = FlowchartRoundTrip(*flowchart);
        ASSERT_TRUE(flowchart);
        EXPECT_EQ(Drawn(*flowchart), edited);
        flowchart = FlowchartRoundTrip(*flowchart);
        ASSERT_TRUE(flowchart);
        EXPECT_EQ(Drawn(*flowchart), edited);

        flowchart->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_TRUE(dialogs.Texts(RecordingDialogs::Kind::Warning).isEmpty());
}

}  // namespace
}  // namespace kq::testing
