#include "device/device_messages.h"
#include "studio_fixture.h"

namespace kq::testing {
namespace {

bool Shown(const RecordingDialogs &dialogs, const QString &text)
{
    for (const auto &record : dialogs.Records()) {
        if (record.text == text)
            return true;
    }
    return false;
}

// The link exists before the studio starts; it looks for the clock once the
// menu is on screen and the splash has gone, so its messages stand over the
// menu.
TEST(StudioStart, LooksForTheClockOnceTheMenuIsShown)
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
        VirtualClock clock;
        clock.SetProduct(c.product);
        StudioContext context(dialogs, waiter, temp.Paths(), clock);
        StudioApp studio(context, launcher, QStringLiteral("/nonexistent/KQ18"));
        studio.Start();
        EXPECT_FALSE(context.DeviceLink().IsConnected());
        EXPECT_TRUE(dialogs.Records().isEmpty());

        QCoreApplication::processEvents();
        EXPECT_TRUE(context.DeviceLink().IsConnected());
        EXPECT_EQ(context.Generation().Value(), c.generation);
        EXPECT_EQ(Shown(dialogs, kOlderClockNotice), c.notice);
        EXPECT_TRUE(studio.Menu().isVisible());
    }
}

}  // namespace
}  // namespace kq::testing
