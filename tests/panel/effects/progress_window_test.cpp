#include "panel/progress/progress_window.h"

#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <thread>

namespace kq::panel {
namespace {

TEST(ProgressWindow, RunsTheWorkAwayFromTheWindowAndShowsItsProgress)
{
    ProgressWindow window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("進行状況"));
    const std::thread::id windowThread = std::this_thread::get_id();
    std::thread::id workThread;
    EXPECT_TRUE(window.Run(nullptr, [&](EffectControl &control) {
        workThread = std::this_thread::get_id();
        control.ReportProgress(40);
        return true;
    }));
    EXPECT_NE(workThread, windowThread);
    EXPECT_EQ(window.Progress(), 40);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.Run(nullptr, [](EffectControl &) { return false; }));
}

TEST(ProgressWindow, CancelStopsTheWorkAndTheNextRunStartsAfresh)
{
    ProgressWindow window;
    auto *cancel = window.findChild<QPushButton *>(QStringLiteral("CancelButton"));
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(cancel->text(), QStringLiteral("中止"));
    QTimer::singleShot(0, cancel, &QPushButton::click);
    bool sawStop = false;
    EXPECT_FALSE(window.Run(nullptr, [&](EffectControl &control) {
        // The work notices the request at its next look, as an effect does.
        while (!control.StopRequested())
            std::this_thread::yield();
        sawStop = true;
        return true;
    }));
    EXPECT_TRUE(sawStop);

    bool stoppedAtStart = true;
    EXPECT_TRUE(window.Run(nullptr, [&](EffectControl &control) {
        stoppedAtStart = control.StopRequested();
        return true;
    }));
    EXPECT_FALSE(stoppedAtStart);
    EXPECT_EQ(window.Progress(), 0);
}

}  // namespace
}  // namespace kq::panel
