#include "device/device_messages.h"
#include "tools/control/train_window.h"

#include "support/test_context.h"

#include <QLabel>
#include <QPointer>
#include <QSlider>
#include <QToolButton>

#include <gtest/gtest.h>

namespace kq::testing {
namespace {

using Kind = RecordingDialogs::Kind;

class TrainTest : public ::testing::Test {
protected:
    TrainTest() { t.context.DeviceLink().Start(); }

    template <typename Widget = QWidget> Widget *Find(const QString &name) const
    {
        auto *widget = window->findChild<Widget *>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    void Click(const QString &name) { Find<QToolButton>(name)->click(); }

    TestContext t;
    // Owned here unless a test deletes it first.
    QPointer<TrainWindow> window = new TrainWindow(t.context);
    ~TrainTest() override { delete window; }
};

TEST_F(TrainTest, SliderLabelInSeconds)
{
    auto *slider = Find<QSlider>("TrackBar0");
    EXPECT_EQ(slider->minimum(), 1);
    EXPECT_EQ(slider->maximum(), 254);
    EXPECT_EQ(Find<QLabel>("Label0")->text(), "0.1秒");
    slider->setValue(25);
    EXPECT_EQ(Find<QLabel>("Label0")->text(), "2.5秒");
    slider->setValue(30);
    EXPECT_EQ(Find<QLabel>("Label0")->text(), "3秒");
}

TEST_F(TrainTest, TimedForwardRunsForTheSetTimeWhileTheAnimationPlays)
{
    Find<QSlider>("TrackBar0")->setValue(25);
    bool playingDuringRun = false;
    t.waiter.SetOnWait([&](int ms) {
        if (ms == 2500)
            playingDuringRun = window->PlayingAnimation() == "Img\\Animate\\Adv.gif"
                && window->AnimationTimer().isActive() && window->AnimationTimer().interval() == 2500;
    });
    Click("Image5");
    EXPECT_EQ(t.clock.Items(), ByteList({222, 226}));
    EXPECT_TRUE(t.waiter.Waits().contains(2500));
    EXPECT_TRUE(playingDuringRun);
    EXPECT_TRUE(window->AnimationTimer().isSingleShot());

    window->AnimationTimeUp();
    EXPECT_FALSE(window->IsAnimationPlaying());
    EXPECT_FALSE(window->AnimationTimer().isActive());
}

TEST_F(TrainTest, ContinuousRunsUntilTheGradualStop)
{
    Click("Image3");
    EXPECT_EQ(window->PlayingAnimation(), "Img\\Animate\\Back.gif");
    Click("Image2");
    EXPECT_EQ(window->PlayingAnimation(), "Img\\Animate\\Adv.gif");
    Click("Image6");
    EXPECT_FALSE(window->IsAnimationPlaying());
    Find<QSlider>("TrackBar0")->setValue(3);
    Click("Image4");
    EXPECT_EQ(t.clock.Items(), ByteList({223, 222, 226, 223, 226}));
    EXPECT_TRUE(t.dialogs.Records().isEmpty());
}

TEST_F(TrainTest, WithoutClockEveryButtonSaysSoAndNothingPlays)
{
    t.clock.Unplug();
    for (const char *button : {"Image2", "Image3", "Image4", "Image5", "Image6"}) {
        Click(button);
        EXPECT_FALSE(window->IsAnimationPlaying()) << button;
        EXPECT_FALSE(window->AnimationTimer().isActive()) << button;
    }
    EXPECT_EQ(t.dialogs.Texts(Kind::Warning), QStringList(5, kConnectionMessage));
    EXPECT_TRUE(t.clock.Items().isEmpty());
}

TEST_F(TrainTest, PulledOutDuringATimedRunStopsTheAnimation)
{
    t.waiter.SetOnWait([this](int ms) {
        if (ms == 100 && t.clock.IsPlugged())
            t.clock.Unplug();
    });
    Click("Image5");
    EXPECT_EQ(t.clock.Items(), ByteList({222}));
    EXPECT_FALSE(window->IsAnimationPlaying());
    EXPECT_FALSE(window->AnimationTimer().isActive());
    EXPECT_EQ(t.dialogs.Texts(Kind::Warning), QStringList({kConnectionMessage}));
}

TEST_F(TrainTest, WindowGoneDuringATimedRunIsNotTouchedAfterwards)
{
    // Closed while the train runs, and the clock pulled out too: the failed
    // run has no window left to report to.
    t.waiter.SetOnWait([this](int ms) {
        if (ms == 100 && t.clock.IsPlugged()) {
            delete window;
            t.clock.Unplug();
        }
    });
    Click("Image5");
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(t.clock.Items(), ByteList({222}));
    EXPECT_TRUE(t.dialogs.Records().isEmpty());
}

}  // namespace
}  // namespace kq::testing
