#include "context/studio_context.h"
#include "device/virtual_clock.h"
#include "editors/flowchart/flowchart_sheet.h"
#include "editors/flowchart/flowchart_window.h"
#include "editors/flowchart/parameters/parameter_windows.h"
#include "editors/test_step.h"
#include "preview/preview_windows.h"
#include "services/window_registry.h"
#include "support/fake_waiter.h"
#include "support/preview_trace.h"
#include "support/recording_dialogs.h"
#include "support/recording_launcher.h"

#include <QAction>
#include <QCoreApplication>
#include <QComboBox>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kq::testing {
namespace {

// A box as its section line holds it, in routine `routine`.
struct BoxLine {
    int routine;
    const char *line;  // slot-kind-x-y-preds-next-branch-params
};

QStringList SectionOf(const QList<BoxLine> &boxes)
{
    QStringList section {kSubroutineMarker, "", "", "", ""};
    for (int n = 0; n < kRoutineCount * kRoutineSlots; ++n)
        section << "0--0-0----";
    for (const BoxLine &box : boxes)
        section[5 + box.routine * kRoutineSlots + QString::fromLatin1(box.line).section('-', 0, 0).toInt()] =
            QString::fromLatin1(box.line);
    return section;
}

class FlowchartPreviewTest : public ::testing::Test {
protected:
    FlowchartPreviewTest() : context(dialogs, waiter, Paths(QStringLiteral(KQ_DATA_DIR), appData.path()), clock)
    {
        RegisterFlowchartParameterDialog(windows);
        RegisterPreviewWindow(windows, context);
        windows.CreateReusedWindows();
        window = new FlowchartWindow(context, windows, steps, launcher);
        window->show();
    }
    ~FlowchartPreviewTest() override { delete window; }

    QList<int> MarksDuring(const std::function<void()> &play)
    {
        return testing::MarksDuring(waiter, play, [this] { return window->Sheet().TraceSlot(); });
    }

    QTemporaryDir appData;
    RecordingDialogs dialogs;
    FakeWaiter waiter;
    VirtualClock clock;
    StudioContext context;
    QWidget menu;
    WindowRegistry windows {menu, [] { return false; }};
    TestStepWindows steps {context};
    RecordingLauncher launcher;
    FlowchartWindow *window = nullptr;
};

struct FlowTraceCase {
    const char *name;
    QList<BoxLine> boxes;
    QList<int> marks;  // the framed main routine slot as the preview runs, kNoSlot for none
};

// As the clock's trace: the start, which no arrow leads to, frames nothing;
// while subroutine 1 runs the frame stays on its calling box, though its
// boxes lie in slots the main routine leaves empty.
TEST_F(FlowchartPreviewTest, TheRedFrameFollowsTheRunningBox)
{
    const FlowTraceCase cases[] = {
        {"straight",
         {{0, "0-start-50-10--1--0,0,0,0,0,0"},
          {0, "1-timer-50-90-0-2--0,1,0,0,0,0"},
          {0, "2-full_time-50-170-1-3--0,255,0,0,4,0"},
          {0, "3-end-50-250-2---0,0,0,0,0,0"}},
         {kNoSlot, 1, 2, kNoSlot}},
        {"else branch",
         {{0, "0-start-50-10--1--0,0,0,0,0,0"},
          {0, "1-if-50-90-0-2-3-0,0,0,0,0,0"},
          {0, "2-timer-50-170-1-4--0,1,0,0,0,0"},
          {0, "3-timer-250-170-1-4--0,2,0,0,0,0"},
          {0, "4-end-50-250-2,3---0,0,0,0,0,0"}},
         {kNoSlot, 1, 3, kNoSlot}},
        {"subroutine",
         {{0, "0-start-50-10--5--0,0,0,0,0,0"},
          {0, "5-routine-50-90-0-6--0,1,0,0,0,0"},
          {0, "6-timer-50-170-5-7--0,1,0,0,0,0"},
          {0, "7-end-50-250-6---0,0,0,0,0,0"},
          {1, "0-start-50-10--1--0,0,0,0,0,0"},
          {1, "1-full_time-50-90-0-2--0,0,255,0,4,0"},
          {1, "2-timer-50-170-1-3--0,2,0,0,0,0"},
          {1, "3-end-50-250-2---0,0,0,0,0,0"}},
         {kNoSlot, 5, 6, kNoSlot}},
    };
    for (const FlowTraceCase &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(window->Document().LoadSection(SectionOf(c.boxes)));
        window->Action("Preview")->trigger();
        PreviewWindow *preview = ShownPreview(windows);
        ASSERT_NE(preview, nullptr);
        EXPECT_EQ(MarksDuring([preview] { preview->Play(); }), c.marks);
        preview->close();
    }
    EXPECT_TRUE(dialogs.Records().isEmpty());
}

TEST_F(FlowchartPreviewTest, AWaitInASubroutineKeepsTheCallFramedUntilTheWindowCloses)
{
    ASSERT_TRUE(window->Document().LoadSection(SectionOf({{0, "0-start-50-10--1--0,0,0,0,0,0"},
                                                          {0, "1-routine-50-90-0-2--0,1,0,0,0,0"},
                                                          {0, "2-end-50-170-1---0,0,0,0,0,0"},
                                                          {1, "0-start-50-10--1--0,0,0,0,0,0"},
                                                          {1, "1-wait-50-90-0-2--0,1,0,0,0,0"},
                                                          {1, "2-end-50-170-1---0,0,0,0,0,0"}})));
    BlockedWatch watch(*window);
    window->Action("Preview")->trigger();
    PreviewWindow *preview = ShownPreview(windows);
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(watch.Blocked());  // no editing while the preview is shown
    EXPECT_EQ(MarksDuring([preview] { preview->Play(); }), (QList<int> {kNoSlot, 1}));
    EXPECT_EQ(MarksDuring([preview] { preview->PressWaitButton(1); }), (QList<int> {1, kNoSlot}));

    // Played again, the trace starts afresh; closing takes the frame away.
    EXPECT_EQ(MarksDuring([preview] { preview->Play(); }), (QList<int> {kNoSlot, 1}));
    preview->close();
    EXPECT_EQ(window->Sheet().TraceSlot(), kNoSlot);
    EXPECT_FALSE(watch.Blocked());

    // Another routine on the sheet: its boxes cannot show the main routine's addresses.
    window->findChild<QComboBox *>(QStringLiteral("Routine_Combo"))->setCurrentIndex(1);
    window->Action("Preview")->trigger();
    preview = ShownPreview(windows);
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(MarksDuring([preview] { preview->Play(); }), (QList<int> {kNoSlot}));
    preview->close();
}

// The clock reports the subroutine's first box while the call is still being
// shown: that box's slot number must not frame the main routine's box there.
TEST_F(FlowchartPreviewTest, TheClocksTraceStaysOnTheCallWhileTheSubroutineReportsDuringItsWait)
{
    ASSERT_TRUE(window->Document().LoadSection(SectionOf({{0, "0-start-50-10--5--0,0,0,0,0,0"},
                                                          {0, "5-routine-50-90-0-1--0,1,0,0,0,0"},
                                                          {0, "1-timer-50-170-5-7--0,1,0,0,0,0"},
                                                          {0, "7-end-50-250-1---0,0,0,0,0,0"},
                                                          {1, "0-start-50-10--1--0,0,0,0,0,0"},
                                                          {1, "1-full_time-50-90-0-2--0,0,255,0,4,0"},
                                                          {1, "2-end-50-170-1---0,0,0,0,0,0"}})));
    context.DeviceLink().Start();
    window->Action("Transfer")->trigger();
    QCoreApplication::processEvents();
    clock.SetRunsFinishAtOnce(false);
    window->Action("Run")->trigger();

    // 2 the timer, 5 the call, 8 end; 9 the subroutine's start, 11 its lamp, 16 its end
    bool reported = false;
    waiter.SetOnWait([&](int) {
        if (!reported) {
            reported = true;
            clock.SendExecutedAddress(11);
        }
    });
    clock.SendExecutedAddress(5);
    QCoreApplication::processEvents();
    waiter.SetOnWait({});
    EXPECT_TRUE(reported);
    EXPECT_EQ(window->Sheet().TraceSlot(), 5);
    clock.SendExecutedAddress(16);
    clock.SendExecutedAddress(2);
    QCoreApplication::processEvents();
    EXPECT_EQ(window->Sheet().TraceSlot(), 1);
}

}  // namespace
}  // namespace kq::testing
