#include "device/device_messages.h"
#include "model/program_file.h"
#include "services/dialog_folder.h"
#include "tools/control/thermometer_window.h"
#include "tools/control/window_placement.h"

#include "support/file_bytes.h"
#include "support/test_context.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineSeries>
#include <QScreen>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>
#include <utility>

namespace kq::testing {
namespace {

using Kind = RecordingDialogs::Kind;

// Takes every report while it exists, standing in for an editor.
class CountingReceiver final : public ReportReceiver {
public:
    void ReportReceived(const QString &text) override { texts.append(text); }
    void ClockLost() override {}
    QStringList texts;
};

class ThermometerTest : public ::testing::Test {
protected:
    ThermometerTest()
    {
        t.context.DeviceLink().Start();
        window = std::make_unique<ThermometerWindow>(t.context, [this] { return now; });
    }

    template <typename Widget = QWidget> Widget *Find(const QString &name) const
    {
        auto *widget = window->findChild<Widget *>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    void Click(const QString &name) { Find<QToolButton>(name)->click(); }
    QString Text(const QString &name) const { return Find<QLabel>(name)->text(); }
    void ChooseCsv(int intervalIndex)
    {
        Find<QCheckBox>("CheckBox1")->setChecked(true);
        Find<QComboBox>("ComboBox1")->setCurrentIndex(intervalIndex);
    }
    // The next reading, a second later.
    void NextReading()
    {
        now = now.addSecs(1);
        window->TakeReading();
    }

    TestContext t;
    QDateTime now {QDate(2025, 3, 7), QTime(10, 15, 30)};
    std::unique_ptr<ThermometerWindow> window;
};

TEST_F(ThermometerTest, OpensWaitingWithTheSetTemperatureAndTheListDisabled)
{
    EXPECT_EQ(Text("OndoLabel1") + Text("OndoLabel2") + "." + Text("OndoLabel3"), "25.0");
    EXPECT_EQ(Text("StateLabel"), "待機中");
    EXPECT_FALSE(window->MeasurementTimer().isActive());
    EXPECT_FALSE(window->IsFanRunning());
    EXPECT_FALSE(window->IsLampOn());
    EXPECT_FALSE(Find<QComboBox>("ComboBox1")->isEnabled());
    Find<QCheckBox>("CheckBox1")->setChecked(true);
    EXPECT_TRUE(Find<QComboBox>("ComboBox1")->isEnabled());
    Find<QCheckBox>("CheckBox1")->setChecked(false);
    EXPECT_FALSE(Find<QComboBox>("ComboBox1")->isEnabled());

    window->show();
    EXPECT_EQ(window->geometry(), ThermometerGeometry(window->screen()->geometry().size()));
}

TEST_F(ThermometerTest, DigitsTurnRound)
{
    for (int click = 0; click < 7; ++click)
        Click("IncImage1");
    EXPECT_EQ(Text("OndoLabel1"), "9");
    Click("IncImage1");
    EXPECT_EQ(Text("OndoLabel1"), "0");
    Click("DecImage3");
    EXPECT_EQ(Text("OndoLabel3"), "9");
    Click("DecImage2");
    EXPECT_EQ(Text("OndoLabel2"), "4");
}

TEST_F(ThermometerTest, WarmerThanSetRunsTheFan)
{
    t.clock.SetTemperature(0x09E9);  // the reply E9 09
    Click("Image3");
    EXPECT_EQ(Text("Label1"), "25.4");
    EXPECT_EQ(Text("StateLabel"), "計測中");
    EXPECT_TRUE(window->IsFanRunning());
    EXPECT_FALSE(window->IsLampOn());
    EXPECT_EQ(t.clock.Items(), ByteList({244, 212}));
    EXPECT_TRUE(window->MeasurementTimer().isActive());
    EXPECT_EQ(window->MeasurementTimer().interval(), 1000);
    EXPECT_FALSE(Find<QCheckBox>("CheckBox1")->isEnabled());
    EXPECT_EQ(window->Records().Lines(), QStringList({"1,10:15:30,25.4"}));
    EXPECT_EQ(window->Series()->count(), 1);
}

TEST_F(ThermometerTest, EachComparisonSwitchesFanAndLamp)
{
    // The set value is dialled to 25.4.
    for (int click = 0; click < 4; ++click)
        Click("IncImage3");
    const struct {
        int hundredths;
        int item;
        bool fan;
        bool lamp;
    } cases[] = {{2537, 216, false, false}, {2560, 212, true, false}, {2500, 215, false, true}};
    Click("Image3");
    for (const auto &c : cases) {
        t.clock.SetTemperature(c.hundredths);
        t.clock.ClearRecord();
        NextReading();
        EXPECT_EQ(t.clock.Items(), ByteList({244, c.item})) << c.hundredths;
        EXPECT_EQ(window->IsFanRunning(), c.fan) << c.hundredths;
        EXPECT_EQ(window->IsLampOn(), c.lamp) << c.hundredths;
    }
    EXPECT_EQ(window->Records().Lines().size(), 4);
}

TEST_F(ThermometerTest, TenReadingsAtOneSecondAreSavedAsTenNumberedLines)
{
    ChooseCsv(0);
    const QString chosen = t.temp.Root() + "/log";
    t.dialogs.fileNames.enqueue(chosen);
    Click("Image3");
    for (int reading = 2; reading <= 10; ++reading)
        NextReading();
    EXPECT_EQ(window->MeasurementTimer().interval(), 1000);
    EXPECT_EQ(window->Series()->count(), 10);
    Click("Image4");

    EXPECT_EQ(Text("StateLabel"), "待機中");
    EXPECT_FALSE(window->MeasurementTimer().isActive());
    EXPECT_TRUE(Find<QCheckBox>("CheckBox1")->isEnabled());
    EXPECT_EQ(t.clock.Items().last(), 216);
    QByteArray expected;
    for (int n = 1; n <= 10; ++n)
        expected += QStringLiteral("%1,10:15:%2,25.0\r\n").arg(n).arg(29 + n).toLatin1();
    EXPECT_EQ(ReadBytes(chosen + ".csv"), expected);
    EXPECT_TRUE(t.dialogs.Texts(Kind::Warning).isEmpty());
}

TEST_F(ThermometerTest, AnIntervalIsNeededWithTheCsvFile)
{
    Find<QCheckBox>("CheckBox1")->setChecked(true);
    Click("Image3");
    EXPECT_EQ(t.dialogs.Texts(Kind::Warning), QStringList({"測定間隔時間を設定して下さい。"}));
    EXPECT_FALSE(window->IsMeasuring());
    EXPECT_TRUE(t.clock.Items().isEmpty());

    Find<QComboBox>("ComboBox1")->setCurrentIndex(4);
    Click("Image3");
    EXPECT_EQ(window->MeasurementTimer().interval(), 60000);
}

TEST_F(ThermometerTest, AnExistingFileIsOverwrittenOnlyAfterYes)
{
    ChooseCsv(1);
    const QString path = t.temp.Root() + "/log.CSV";
    WriteBytes(path, "old\r\n");
    for (bool answer : {false, true}) {
        t.dialogs.fileNames.enqueue(path);
        t.dialogs.yesNoAnswers.enqueue(answer);
        Click("Image3");
        Click("Image4");
        EXPECT_EQ(ReadBytes(path), answer ? QByteArray("1,10:15:30,25.0\r\n") : QByteArray("old\r\n"));
    }
    EXPECT_EQ(t.dialogs.Texts(Kind::Question), QStringList(2, kOverwriteQuestion));

    // The next log is offered beside the one written.
    Click("Image3");
    Click("Image4");
    EXPECT_EQ(t.dialogs.Texts(Kind::SaveFile),
              QStringList({DesktopOrHomeFolder(), DesktopOrHomeFolder(), t.temp.Root()}));
}

TEST_F(ThermometerTest, StartingAgainEmptiesTheRecords)
{
    Click("Image3");
    NextReading();
    NextReading();
    Click("Image4");
    EXPECT_EQ(window->Records().Lines().size(), 3);
    EXPECT_EQ(t.dialogs.Records().size(), 0);  // no CSV: nothing offered

    Click("Image3");
    EXPECT_EQ(window->Records().Lines(), QStringList({"1,10:15:32,25.0"}));
    EXPECT_EQ(window->Series()->count(), 1);
}

TEST_F(ThermometerTest, ClockPulledOutBetweenReadingsReturnsToWaitingOnce)
{
    Click("Image3");
    t.clock.SetTemperature(2600);
    NextReading();
    ASSERT_TRUE(window->IsFanRunning());
    t.clock.Unplug();

    EXPECT_EQ(t.dialogs.Texts(Kind::Warning), QStringList({kMeasurementConnectionMessage}));
    EXPECT_EQ(Text("StateLabel"), "待機中");
    EXPECT_FALSE(window->MeasurementTimer().isActive());
    EXPECT_FALSE(window->IsFanRunning());
    EXPECT_TRUE(Find<QCheckBox>("CheckBox1")->isEnabled());
    // The records stay until the next start.
    EXPECT_EQ(window->Records().Lines().size(), 2);
}

TEST_F(ThermometerTest, ClockPulledOutDuringAReadingSaysSoOnceAndRecordsNothing)
{
    Click("Image3");
    // Gone while the command after the reading is paced: its send fails.
    t.waiter.SetOnWait([this](int) {
        if (t.clock.Items().size() == 4 && t.clock.IsPlugged())
            t.clock.Unplug();
    });
    NextReading();
    EXPECT_EQ(t.dialogs.Texts(Kind::Warning), QStringList({kConnectionMessage}));
    EXPECT_EQ(Text("StateLabel"), "待機中");
    EXPECT_EQ(window->Records().Lines().size(), 1);

    // No clock at the start: the measurement's own message.
    t.dialogs.Clear();
    Click("Image3");
    EXPECT_EQ(t.dialogs.Texts(Kind::Warning), QStringList({kMeasurementConnectionMessage}));
    EXPECT_FALSE(window->IsMeasuring());
    EXPECT_TRUE(window->Records().Lines().isEmpty());
}

TEST_F(ThermometerTest, StopDuringAReadingHasTheLastWord)
{
    Click("Image3");
    t.clock.SetTemperature(2600);
    t.clock.ClearRecord();
    bool stopped = false;
    t.waiter.SetOnWait([&](int) {
        if (!std::exchange(stopped, true))
            Click("Image4");
    });
    NextReading();
    EXPECT_EQ(t.clock.Items(), ByteList({244, 216}));
    EXPECT_FALSE(window->IsFanRunning());
    EXPECT_EQ(Text("StateLabel"), "待機中");
    EXPECT_EQ(window->Records().Lines().size(), 1);
}

TEST_F(ThermometerTest, StopWithoutClockSaysSoAndOffersNoFile)
{
    ChooseCsv(0);
    Click("Image3");
    t.clock.Unplug();
    t.dialogs.Clear();
    Click("Image4");
    EXPECT_EQ(t.dialogs.Records(), QList<RecordingDialogs::Record>({{Kind::Warning, kConnectionMessage}}));
}

TEST_F(ThermometerTest, ComesFirstForReportsAndSwitchesTheLampOffOnClose)
{
    CountingReceiver editor;
    t.context.DeviceLink().RegisterReceiver(ReceiverRole::FlowchartEditor, &editor);
    t.clock.SendStatusGroup();
    QCoreApplication::processEvents();
    EXPECT_TRUE(editor.texts.isEmpty());

    Click("Image3");
    t.clock.ClearRecord();
    window->show();
    window->close();
    EXPECT_EQ(t.clock.Items(), ByteList({216}));
    EXPECT_FALSE(window->MeasurementTimer().isActive());

    window.reset();
    t.clock.SendStatusGroup();
    QCoreApplication::processEvents();
    EXPECT_FALSE(editor.texts.isEmpty());
    t.context.DeviceLink().UnregisterReceiver(&editor);
}

}  // namespace
}  // namespace kq::testing
