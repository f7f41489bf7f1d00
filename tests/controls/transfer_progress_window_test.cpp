#include "controls/transfer_progress_window.h"

#include <QProgressBar>

#include <gtest/gtest.h>

namespace kq {
namespace {

TEST(TransferProgressWindow, BorderlessBarCentredOverTheCaller)
{
    QWidget caller;
    caller.setGeometry(100, 50, 801, 600);
    TransferProgressWindow window;
    EXPECT_EQ(window.size(), QSize(274, 39));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    auto *bar = window.findChild<QProgressBar *>(QStringLiteral("ProgressBar1"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->maximum(), 100);

    window.ShowCentredOver(&caller);
    EXPECT_TRUE(window.isVisible());
    const QRect frame = caller.frameGeometry();
    EXPECT_EQ(window.pos(), CentredTopLeft(frame, QSize(274, 39)));

    window.SetProgress(40);
    EXPECT_EQ(window.Progress(), 40);
    window.SetProgress(122);
    EXPECT_EQ(window.Progress(), 100);
    window.HideProgress();
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace kq
