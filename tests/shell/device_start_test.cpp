#include "context/studio_context.h"
#include "device/device_link.h"
#include "device/device_messages.h"
#include "device/virtual_clock.h"
#include "support/recording_launcher.h"
#include "shell/studio_app.h"
#include "support/fake_waiter.h"
#include "support/recording_dialogs.h"
#include "support/temp_paths.h"

#include <gtest/gtest.h>

namespace kq::testing {
namespace {

bool Shown(const RecordingDialogs &dialogs, const QString &text)
{
    for (const auto &record : dialogs.records()) {
        if (record.text == text)
            return true;
    }
    return false;
}

// The device link is made at start, reachable through the context while the
// studio runs, and finds a clock that is already plugged in.
TEST(StudioStart, ConnectsTheClockFoundAtStart)
{
    const struct {
        QString product;
        int generation;
        bool notice;
    } cases[] = {
        {QStringLiteral("KQ27"), kCurrentGeneration, false},
        {QStringLiteral("TL-6"), kOlderGeneration, true},
    };
    for (const auto &c : cases) {
        TempPaths temp;
        RecordingDialogs dialogs;
        FakeWaiter waiter;
        RecordingLauncher launcher;
        StudioContext context(dialogs, waiter, temp.paths());
        VirtualClock clock;
        clock.setProduct(c.product);
        {
            StudioApp studio(context, launcher, clock, QStringLiteral("/nonexistent/KQ18"));
            studio.Start();
            ASSERT_EQ(context.deviceLink(), &studio.deviceLink());
            EXPECT_TRUE(studio.deviceLink().IsConnected());
            EXPECT_EQ(context.generation(), c.generation);
            EXPECT_EQ(Shown(dialogs, kOlderClockNotice), c.notice);
        }
        EXPECT_EQ(context.deviceLink(), nullptr);
    }
}

}  // namespace
}  // namespace kq::testing
