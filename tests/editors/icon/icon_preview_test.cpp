#include "context/studio_context.h"
#include "device/virtual_clock.h"
#include "editors/icon/icon_program.h"
#include "editors/icon/icon_window.h"
#include "editors/test_step.h"
#include "preview/preview_windows.h"
#include "services/window_registry.h"
#include "support/fake_waiter.h"
#include "support/preview_trace.h"
#include "support/recording_dialogs.h"
#include "support/recording_launcher.h"

#include <QAction>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kq::testing {
namespace {

class IconPreviewTest : public ::testing::Test {
protected:
    IconPreviewTest() : context(dialogs, waiter, Paths(QStringLiteral(KQ_DATA_DIR), appData.path()), clock)
    {
        RegisterPreviewWindow(windows, context);
        windows.CreateReusedWindows();
        window = new IconWindow(context, windows, steps, launcher);
        window->show();
    }
    ~IconPreviewTest() override { delete window; }

    int Mark() const { return window->TraceSlot().value_or(-1); }
    QList<int> MarksDuring(const std::function<void()> &play)
    {
        return testing::MarksDuring(waiter, play, [this] { return Mark(); });
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
    IconWindow *window = nullptr;
};

struct IconTraceCase {
    const char *name;
    QList<std::pair<int, int>> icons;  // slot, icon
    QList<int> marks;  // the framed slot as the preview runs, -1 for none
};

// Empty slots are skipped by the program and by the frame; a repeat frames
// its body again each time round.
TEST_F(IconPreviewTest, TheFrameFollowsTheRunningIcon)
{
    const IconTraceCase cases[] = {
        {"straight", {{0, 0}, {2, kTimerIcon}, {5, kToneIcon}}, {-1, 0, 2, 5, -1}},
        {"repeat twice", {{1, kRepeatStartIcon}, {2, 3}, {3, kRepeatEndIcon}}, {-1, 1, 2, 3, 2, 3, -1}},
        {"last slot", {{23, kSignalOutputIcon}}, {-1, 23, -1}},
    };
    for (const IconTraceCase &c : cases) {
        SCOPED_TRACE(c.name);
        window->Document().Clear();
        for (const auto &[slot, icon] : c.icons) {
            window->Document().Drop(icon, slot);
            if (icon == kRepeatStartIcon)
                window->Document().SetValue(slot, 2);
        }

        window->Action("Preview")->trigger();
        PreviewWindow *preview = ShownPreview(windows);
        ASSERT_NE(preview, nullptr);
        EXPECT_EQ(MarksDuring([preview] { preview->Play(); }), c.marks);
        preview->close();
    }
}

TEST_F(IconPreviewTest, APausedWaitKeepsItsFrameAndClosingTakesItAway)
{
    window->Document().Drop(0, 0);
    window->Document().Drop(kWaitSwitchIcon, 1);
    window->Document().Drop(kToneIcon, 3);
    const std::map<int, int> slotOfAddress = IconSlotsByAddress(window->Document().Row(), kCurrentGeneration);
    // 0 start, 2 red lamp, 7 the wait, 9 the tone, 11 end
    EXPECT_EQ(slotOfAddress, (std::map<int, int> {{2, 0}, {7, 1}, {9, 3}}));

    BlockedWatch watch(*window);
    window->Action("Preview")->trigger();
    PreviewWindow *preview = ShownPreview(windows);
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(watch.Blocked());  // no editing while the preview is shown
    EXPECT_EQ(MarksDuring([preview] { preview->Play(); }), (QList<int> {-1, 0, 1}));
    EXPECT_EQ(MarksDuring([preview] { preview->PressWaitButton(2); }), (QList<int> {3, -1}));

    preview->Play();
    EXPECT_EQ(Mark(), 1);
    preview->close();
    EXPECT_EQ(Mark(), -1);
    EXPECT_FALSE(watch.Blocked());
}

TEST_F(IconPreviewTest, AnUnclosedRepeatIsNotPreviewed)
{
    window->Document().Drop(kRepeatStartIcon, 0);
    window->Action("Preview")->trigger();
    EXPECT_EQ(dialogs.Texts(RecordingDialogs::Kind::Warning), QStringList {kIconLoopMessage});
    EXPECT_EQ(ShownPreview(windows), nullptr);
}

}  // namespace
}  // namespace kq::testing
