#include "device/device_messages.h"
#include "services/window_registry.h"
#include "tools/control/clock_setting_window.h"
#include "tools/control/control_tool_windows.h"
#include "tools/control/thermometer_window.h"

#include "support/test_context.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>

#include <gtest/gtest.h>

namespace kq::testing {
namespace {

using Kind = RecordingDialogs::Kind;

class ClockSettingTest : public ::testing::Test {
protected:
    ClockSettingTest() { t.context.DeviceLink().Start(); }

    template <typename Widget = QWidget> Widget *Find(const QString &name) const
    {
        auto *widget = window.findChild<Widget *>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QString Chosen(const QString &combo) const { return Find<QComboBox>(combo)->currentText(); }
    void Send() { Find<QToolButton>("Image19")->click(); }

    TestContext t;
    QDateTime now {QDate(2025, 3, 7), QTime(10, 15, 30)};
    ClockSettingWindow window {t.context, [this] { return now; }};
};

TEST_F(ClockSettingTest, ShowingProposesTheNextMinuteAndSendsIt)
{
    window.show();
    EXPECT_EQ(window.windowTitle(), "時刻・アラーム設定");
    EXPECT_EQ(Find<QLabel>("Label3")->text(), "2025/03/07 10:15:30");
    EXPECT_EQ(QStringList({Chosen("YearCombo"), Chosen("MonthCombo"), Chosen("DayCombo"), Chosen("HourCombo"),
                           Chosen("MinCombo")}),
              QStringList({"25", " 3", "7", "10", "16"}));
    EXPECT_TRUE(Find<QRadioButton>("Alerm_OFF_Radio")->isChecked());
    EXPECT_EQ(Chosen("AlermHourCombo") + ":" + Chosen("AlermMinCombo"), "12:00");
    EXPECT_FALSE(Find<QComboBox>("AlermHourCombo")->isEnabled());
    EXPECT_FALSE(Find<QComboBox>("AlermMinCombo")->isEnabled());
    EXPECT_TRUE(window.RefreshTimer().isActive());

    bool timerRanDuringSend = false;
    t.waiter.SetOnWait([&](int) { timerRanDuringSend = timerRanDuringSend || window.RefreshTimer().isActive(); });
    Send();
    EXPECT_EQ(t.clock.Items(), ByteList({247, 25, 3, 7, 10, 16, 0, 12, 0}));
    EXPECT_FALSE(timerRanDuringSend);
    EXPECT_TRUE(window.RefreshTimer().isActive());
    EXPECT_TRUE(t.dialogs.Records().isEmpty());
}

TEST_F(ClockSettingTest, AtTwentyThreeFiftyNineTheSameDateAtMidnight)
{
    now = QDateTime(QDate(2025, 3, 7), QTime(23, 59, 0));
    window.show();
    Send();
    EXPECT_EQ(t.clock.Items(), ByteList({247, 25, 3, 7, 0, 0, 0, 12, 0}));
}

TEST_F(ClockSettingTest, EveryFieldAsChosenAndThirtyFirstOfFebruaryAsIs)
{
    window.show();
    Find<QComboBox>("MonthCombo")->setCurrentIndex(1);
    Find<QComboBox>("DayCombo")->setCurrentIndex(30);
    Find<QRadioButton>("Alerm_ON_Radio")->setChecked(true);
    EXPECT_TRUE(Find<QComboBox>("AlermHourCombo")->isEnabled());
    Find<QComboBox>("AlermHourCombo")->setCurrentIndex(6);
    Find<QComboBox>("AlermMinCombo")->setCurrentIndex(45);
    Send();
    EXPECT_EQ(t.clock.Items(), ByteList({247, 25, 2, 31, 10, 16, 1, 6, 45}));
    EXPECT_TRUE(t.dialogs.Records().isEmpty());

    // Switched off again, the lists are disabled but still sent.
    Find<QRadioButton>("Alerm_OFF_Radio")->setChecked(true);
    EXPECT_FALSE(Find<QComboBox>("AlermMinCombo")->isEnabled());
    t.clock.ClearRecord();
    Send();
    EXPECT_EQ(t.clock.Items(), ByteList({247, 25, 2, 31, 10, 16, 0, 6, 45}));
}

TEST_F(ClockSettingTest, TheTimeShownFollowsThePcClockAndEachShowingProposesAfresh)
{
    window.show();
    Find<QComboBox>("MinCombo")->setCurrentIndex(40);
    now = now.addSecs(65);
    window.RefreshTime();
    EXPECT_EQ(Find<QLabel>("Label3")->text(), "2025/03/07 10:16:35");
    EXPECT_EQ(Chosen("MinCombo"), "40");

    window.hide();
    EXPECT_FALSE(window.RefreshTimer().isActive());
    window.show();
    EXPECT_EQ(Chosen("MinCombo"), "17");
}

TEST_F(ClockSettingTest, WithoutClockSaysSoAndGoesOnRefreshing)
{
    t.clock.Unplug();
    window.show();
    Send();
    EXPECT_EQ(t.dialogs.Records(), QList<RecordingDialogs::Record>({{Kind::Warning, kConnectionMessage}}));
    EXPECT_TRUE(t.clock.Items().isEmpty());
    EXPECT_TRUE(window.RefreshTimer().isActive());
}

TEST(ControlToolWindows, ClockSettingIsMadeAtStartAndTheOthersForEachOpening)
{
    TestContext t;
    QWidget menu;
    WindowRegistry windows(menu, [] { return false; });
    RegisterControlToolWindows(windows, t.context);
    windows.CreateReusedWindows();
    EXPECT_NE(windows.FindAs<ClockSettingWindow>(WindowKind::ClockSetting), nullptr);
    EXPECT_EQ(windows.Find(WindowKind::Thermometer), nullptr);
    EXPECT_EQ(windows.Find(WindowKind::TrainController), nullptr);

    for (WindowKind kind : {WindowKind::Thermometer, WindowKind::TrainController, WindowKind::ClockSetting}) {
        QWidget *window = windows.OpenFromMenu(kind);
        ASSERT_NE(window, nullptr);
        EXPECT_FALSE(menu.isVisible());
        window->close();
        EXPECT_TRUE(menu.isVisible());
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(windows.Find(WindowKind::Thermometer), nullptr);
    EXPECT_EQ(windows.Find(WindowKind::TrainController), nullptr);
    EXPECT_NE(windows.Find(WindowKind::ClockSetting), nullptr);
}

}  // namespace
}  // namespace kq::testing
