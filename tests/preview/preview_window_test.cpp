#include "preview/clock_view.h"
#include "preview/preview_window.h"
#include "preview/preview_windows.h"
#include "services/window_registry.h"
#include "support/test_context.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include <gtest/gtest.h>

namespace kq::testing {
namespace {

class PreviewWindowTest : public ::testing::Test {
protected:
    QPushButton *Button(const char *name) { return window.findChild<QPushButton *>(QString::fromLatin1(name)); }
    QString State() { return window.findChild<QLabel *>(QStringLiteral("StateLabel"))->text(); }
    bool WaitsEnabled() { return window.findChild<QGroupBox *>(QStringLiteral("WaitGroup"))->isEnabled(); }

    TestContext test;
    PreviewWindow window {test.context};
};

TEST_F(PreviewWindowTest, WaitButtonsContinueOnlyTheMatchingWait)
{
    // 0 start, 2 wait for the switch, 4 steady red lamp, 7 timer 1 s, 10 end
    window.SetProgram({230, 2, 171, 4, 135, 0, 7, 160, 1, 10, 231});
    EXPECT_EQ(State(), QStringLiteral("状態：停止"));
    EXPECT_FALSE(WaitsEnabled());

    Button("PlayButton")->click();
    EXPECT_EQ(State(), QStringLiteral("状態：再生中"));
    EXPECT_TRUE(WaitsEnabled());
    EXPECT_FALSE(Button("PlayButton")->isEnabled());
    EXPECT_TRUE(Button("StopButton")->isEnabled());
    EXPECT_EQ(window.View().Sound(), SoundPicture::SwitchWait);

    Button("WaitButton3")->click();
    EXPECT_TRUE(WaitsEnabled());
    EXPECT_EQ(test.waiter.TotalWaited(), 0);

    bool litDuringTimer = false;
    test.waiter.SetOnWait([&](int ms) {
        if (ms > 0)
            litDuringTimer = window.View().LampLit();
    });
    Button("WaitButton2")->click();
    EXPECT_TRUE(litDuringTimer);
    EXPECT_EQ(test.waiter.TotalWaited(), 1000);
    EXPECT_EQ(State(), QStringLiteral("状態：停止"));
    EXPECT_TRUE(Button("PlayButton")->isEnabled());
    EXPECT_FALSE(Button("StopButton")->isEnabled());
    EXPECT_FALSE(WaitsEnabled());
}

TEST_F(PreviewWindowTest, StopDuringATimerEndsThePreview)
{
    // 0 start, 2 timer 5 s, 5 steady lamp, 8 end
    window.SetProgram({230, 2, 160, 5, 5, 135, 0, 8, 231});
    test.waiter.SetOnWait([&](int ms) {
        if (ms == 5000)
            Button("StopButton")->click();
    });
    Button("PlayButton")->click();
    EXPECT_FALSE(window.Playing());
    EXPECT_EQ(State(), QStringLiteral("状態：停止"));
    EXPECT_FALSE(window.View().LampLit());
    EXPECT_EQ(test.waiter.TotalWaited(), 5000);
}

TEST_F(PreviewWindowTest, SensorControlsFeedTheProgram)
{
    // 0 start, 2 if the switch is pressed: 5 else 8; 5 timer 1 s to 11; 8 timer 2 s to 11;
    // 11 if the temperature is 30: 15 timer 4 s to 18, else 18; 18 end
    const ByteList program {230, 2, 180, 5, 8, 160, 1, 11, 160, 2, 11, 186, 30, 15, 18, 160, 4, 18, 231};
    auto *slider = window.findChild<QSlider *>(QStringLiteral("TemperatureSlider"));
    EXPECT_EQ(slider->value(), 25);
    EXPECT_EQ(window.findChild<QLabel *>(QStringLiteral("TemperatureValue"))->text(), QStringLiteral("25"));
    window.SetProgram(program);
    Button("PlayButton")->click();
    EXPECT_EQ(test.waiter.TotalWaited(), 2000);

    window.findChild<QRadioButton *>(QStringLiteral("SwitchPressed"))->setChecked(true);
    slider->setValue(30);
    EXPECT_EQ(window.findChild<QLabel *>(QStringLiteral("TemperatureValue"))->text(), QStringLiteral("30"));
    const qint64 before = test.waiter.TotalWaited();
    Button("PlayButton")->click();
    EXPECT_EQ(test.waiter.TotalWaited() - before, 1000 + 4000);
}

TEST_F(PreviewWindowTest, OpensFromTheEditorModalOverIt)
{
    QWidget menu;
    WindowRegistry windows(menu, [] { return false; });
    RegisterPreviewWindow(windows, test.context);
    windows.CreateReusedWindows();
    QWidget editor;
    editor.setGeometry(100, 100, 1000, 800);
    editor.show();

    // The trace hears each instruction's address, then that the run stopped.
    QList<int> traced;
    ShowPreview(windows, &editor, {230, 2, 231},
                [&traced](std::optional<int> address) { traced << address.value_or(-1); });
    auto *preview = windows.FindAs<PreviewWindow>(WindowKind::Preview);
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(preview->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(preview->windowTitle(), QStringLiteral("プレビュー"));
    EXPECT_EQ(preview->size(), QSize(697, 551));
    EXPECT_LE((preview->geometry().center() - editor.geometry().center()).manhattanLength(), 10);

    preview->findChild<QPushButton *>(QStringLiteral("PlayButton"))->click();
    EXPECT_FALSE(preview->Playing());
    EXPECT_EQ(traced, (QList<int> {0, 2, -1}));
    preview->close();
    EXPECT_EQ(windows.Find(WindowKind::Preview), preview);
    // Closed, the window no longer reaches the editor's trace.
    traced.clear();
    preview->Play();
    EXPECT_TRUE(traced.isEmpty());
}

}  // namespace
}  // namespace kq::testing
