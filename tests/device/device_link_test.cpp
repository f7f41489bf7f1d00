#include "context/studio_context.h"
#include "device/device_identity.h"
#include "device/device_link.h"
#include "device/device_messages.h"
#include "device/report_text.h"
#include "base/transfer_progress.h"
#include "device/virtual_clock.h"
#include "support/fake_waiter.h"
#include "support/recording_dialogs.h"
#include "support/temp_paths.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <functional>

namespace kq {
namespace {

using testing::RecordingDialogs;

class FunctionReceiver final : public ReportReceiver {
public:
    explicit FunctionReceiver(std::function<void(const QString &)> onReport) : m_onReport(std::move(onReport)) {}
    void ReportReceived(const QString &text) override { m_onReport(text); }

private:
    std::function<void(const QString &)> m_onReport;
};

class RecordingReceiver final : public ReportReceiver {
public:
    void ReportReceived(const QString &text) override { texts.append(text); }
    QStringList texts;
};

class RecordingProgress final : public ProgressDisplay {
public:
    void ShowCentredOver(const QWidget *) override
    {
        ++shown;
        visible = true;
    }
    void SetProgress(int value) override { values.append(value); }
    void HideProgress() override { visible = false; }

    int shown = 0;
    bool visible = false;
    QList<int> values;
};

class DeviceLinkTest : public ::testing::Test {
protected:
    DeviceLinkTest()
    {
        link.setProgressDisplay(&progress);
        QObject::connect(&link, &DeviceLink::ClockConnected, [this] { ++connectedSignals; });
        QObject::connect(&link, &DeviceLink::ClockRemoved, [this] { ++removedSignals; });
        QObject::connect(&link, &DeviceLink::GenerationChanged, [this](int g) { generationSignals.append(g); });
    }

    // Lets the queued answers of the clock arrive.
    static void DeliverReports() { QCoreApplication::processEvents(); }

    RecordingDialogs dialogs;
    testing::FakeWaiter waiter;
    testing::TempPaths temp;
    StudioContext context{dialogs, waiter, temp.paths()};
    VirtualClock clock;
    DeviceLink link{clock, context};
    RecordingProgress progress;
    int connectedSignals = 0;
    int removedSignals = 0;
    QList<int> generationSignals;
};

const HidDeviceInfo kKeyboard{0x046D, 0xC31C, QStringLiteral("USB Keyboard"), QString(), QStringLiteral("kbd")};

TEST_F(DeviceLinkTest, NoDeviceAtAll)
{
    clock.Unplug();
    context.setGeneration(kCurrentGeneration);
    link.Start();
    EXPECT_TRUE(link.devices().isEmpty());
    EXPECT_FALSE(link.IsConnected());
    EXPECT_EQ(context.generation(), kCurrentGeneration);
    EXPECT_EQ(connectedSignals, 0);
    EXPECT_TRUE(dialogs.records().isEmpty());

    // Every command fails before sending or waiting.
    EXPECT_FALSE(link.TransferProgram({230, 2, 231}, nullptr));
    EXPECT_FALSE(link.RunProgram());
    EXPECT_FALSE(link.ReadMemory());
    EXPECT_FALSE(link.TimedTrain(TrainDirection::Forward, 25));
    QStringList buffer{QStringLiteral("old")};
    EXPECT_FALSE(link.ReadMemoryInto(buffer));
    EXPECT_FALSE(link.ReadTemperatureInto(buffer).sent);
    EXPECT_TRUE(waiter.waits().isEmpty());
    EXPECT_EQ(progress.shown, 0);
}

TEST_F(DeviceLinkTest, FindsTheClockAndStartsReceiving)
{
    clock.setSerial(QStringLiteral("0001"));
    clock.AddOtherDevice(kKeyboard, /*afterClock=*/false);
    link.Start();
    ASSERT_TRUE(link.IsConnected());
    EXPECT_TRUE(link.isReceiving());
    EXPECT_EQ(connectedSignals, 1);
    ASSERT_EQ(link.devices().size(), 2);
    EXPECT_EQ(link.devices()[0].identification, QStringLiteral("046D C31C"));
    EXPECT_EQ(link.devices()[1].identification, kClockIdentification);
    EXPECT_EQ(link.devices()[1].description, QStringLiteral("Device VID=21CF PID=0002 (Serial=0001)"));
    EXPECT_TRUE(dialogs.records().isEmpty());
}

TEST_F(DeviceLinkTest, OlderClockSetsGenerationThreeUntilANewerOneIsFound)
{
    clock.setProduct(kOlderClockProduct);
    clock.setSerial(QStringLiteral("77"));  // compared by product string, not description
    link.Start();
    EXPECT_EQ(context.generation(), kOlderGeneration);
    EXPECT_EQ(dialogs.texts(RecordingDialogs::Kind::Information), QStringList{kOlderClockNotice});
    EXPECT_EQ(generationSignals, QList<int>{kOlderGeneration});
    EXPECT_TRUE(link.IsConnected());

    // A keyboard enumerated after the clock leaves the generation alone.
    dialogs.clear();
    clock.AddOtherDevice(kKeyboard, /*afterClock=*/true);
    EXPECT_EQ(context.generation(), kOlderGeneration);
    EXPECT_EQ(generationSignals.size(), 1);

    // The generation is kept while no clock is there.
    clock.Unplug();
    EXPECT_FALSE(link.IsConnected());
    EXPECT_EQ(removedSignals, 1);
    EXPECT_EQ(context.generation(), kOlderGeneration);

    clock.setProduct(QStringLiteral("LED clock"));
    clock.Plug();
    EXPECT_TRUE(link.IsConnected());
    EXPECT_EQ(context.generation(), kCurrentGeneration);
    EXPECT_EQ(generationSignals, (QList<int>{kOlderGeneration, kCurrentGeneration}));
    EXPECT_TRUE(dialogs.texts(RecordingDialogs::Kind::Information).size() == 1);
}

TEST_F(DeviceLinkTest, OtherModelIsWarnedAboutAndStillConnected)
{
    clock.setProduct(kOtherModelProduct);
    link.Start();
    EXPECT_EQ(dialogs.texts(RecordingDialogs::Kind::Warning), QStringList{kOtherModelWarning});
    EXPECT_TRUE(link.IsConnected());
    EXPECT_EQ(context.generation(), kCurrentGeneration);
}

TEST_F(DeviceLinkTest, LastClockEnumeratedWinsUnlessItCannotBeOpened)
{
    const HidDeviceInfo second{kClockVendorId, kClockProductId, QString(), QStringLiteral("B"),
                               QStringLiteral("second")};
    clock.AddOtherDevice(second, /*afterClock=*/true, /*openable=*/true);
    link.Start();
    ASSERT_TRUE(link.currentDevice().has_value());
    EXPECT_EQ(link.currentDevice()->path, second.path);
    EXPECT_TRUE(link.RunProgram());
    EXPECT_EQ(clock.outputReports().size(), 0);
    EXPECT_EQ(clock.otherDeviceReports(second.path).size(), 1);

    // One without access gives way to the clock before it.
    clock.RemoveOtherDevice(second.path);
    clock.AddOtherDevice(second, /*afterClock=*/true, /*openable=*/false);
    EXPECT_EQ(link.currentDevice()->path, clock.info().path);
}

TEST_F(DeviceLinkTest, TransferOfTheSmallestProgram)
{
    RecordingReceiver editor;
    link.RegisterReceiver(ReceiverRole::IconEditor, &editor);
    link.Start();
    ASSERT_TRUE(link.TransferProgram({230, 2, 231}, nullptr));

    EXPECT_EQ(clock.items(), (ByteList{240, 230, 2, 231, 250}));
    for (const QByteArray &report : clock.outputReports()) {
        ASSERT_EQ(report.size(), 9);
        EXPECT_EQ(report[0], '\0');
        EXPECT_EQ(report.mid(1), QByteArray(8, report[1]));
    }
    EXPECT_EQ(waiter.waits(), (QList<int>{50, 50, 50, 50, 50}));
    EXPECT_EQ(progress.shown, 1);
    EXPECT_FALSE(progress.visible);
    EXPECT_EQ(progress.values, (QList<int>{0, 20, 40, 60, 80, 100}));
    // The completion report arrived during the last pause.
    EXPECT_EQ(editor.texts, QStringList{kCompletionText});
    EXPECT_EQ(clock.memory().mid(0, 5), (ByteList{230, 2, 231, 250, 255}));
}

TEST_F(DeviceLinkTest, ClockSettingAndTimedTrain)
{
    link.Start();
    ASSERT_TRUE(link.SetClock(ClockSetting{2025, 3, 7, 14, 5, false, 12, 0}, nullptr));
    EXPECT_EQ(clock.items(), (ByteList{247, 25, 3, 7, 14, 5, 0, 12, 0}));
    ASSERT_TRUE(clock.clockSetting().has_value());
    EXPECT_EQ(clock.clockSetting()->day, 7);
    EXPECT_FALSE(clock.clockSetting()->alarmOn);
    EXPECT_EQ(progress.shown, 1);

    clock.ClearRecord();
    const int waitsBefore = int(waiter.waits().size());
    ASSERT_TRUE(link.TimedTrain(TrainDirection::Forward, 25));
    EXPECT_EQ(clock.items(), (ByteList{222, 226}));
    EXPECT_EQ(waiter.waits().mid(waitsBefore), (QList<int>{50, 2500, 50}));
    clock.ClearRecord();
    ASSERT_TRUE(link.TimedTrain(TrainDirection::Backward, 0));
    EXPECT_EQ(clock.items(), (ByteList{223, 226}));
}

TEST_F(DeviceLinkTest, EveryOneItemCommand)
{
    link.Start();
    const struct {
        std::function<bool()> send;
        int item;
    } commands[] = {
        {[&] { return link.RunProgram(); }, 241},
        {[&] { return link.RunMelody(); }, 243},
        {[&] { return link.ReadTemperature(); }, 244},
        {[&] { return link.ReadMemory(); }, 245},
        {[&] { return link.StopProgram(); }, 246},
        {[&] { return link.DirectCommand(DirectCode::MotorOn); }, 212},
        {[&] { return link.DirectCommand(DirectCode::LampOn); }, 215},
        {[&] { return link.DirectCommand(DirectCode::LampOff); }, 216},
        {[&] { return link.DirectCommand(DirectCode::TrainForward); }, 222},
        {[&] { return link.DirectCommand(DirectCode::TrainBackward); }, 223},
        {[&] { return link.DirectCommand(DirectCode::TrainGradualStop); }, 226},
    };
    for (const auto &command : commands) {
        clock.ClearRecord();
        EXPECT_TRUE(command.send());
        EXPECT_EQ(clock.items(), ByteList{command.item});
    }
    EXPECT_EQ(progress.shown, 0);
    EXPECT_FALSE(link.SendList({240, 256}));
    EXPECT_FALSE(link.SendList({-1}));
}

TEST_F(DeviceLinkTest, MelodyTransferAndRun)
{
    RecordingReceiver melodyEditor;
    link.RegisterReceiver(ReceiverRole::MelodyEditor, &melodyEditor);
    link.Start();
    ByteList melody(13, 201);
    melody += ByteList{193, 2, 0, 75, 186};
    ASSERT_TRUE(link.TransferMelody(melody, nullptr));
    ASSERT_TRUE(link.RunMelody());
    EXPECT_EQ(clock.items().first(), 242);
    EXPECT_EQ(clock.items().size(), 1 + 18 + 1 + 1);
    EXPECT_EQ(melodyEditor.texts, (QStringList{kCompletionText, kCompletionText}));
}

TEST_F(DeviceLinkTest, ReportsGoOnlyToTheFirstWindowByPriority)
{
    QStringList thermometerLog;
    QStringList flowchartLog;
    FunctionReceiver thermometer([&](const QString &text) { AppendToStatusLog(thermometerLog, text); });
    FunctionReceiver flowchart([&](const QString &text) { AppendToStatusLog(flowchartLog, text); });
    link.RegisterReceiver(ReceiverRole::FlowchartEditor, &flowchart);
    link.RegisterReceiver(ReceiverRole::Thermometer, &thermometer);
    link.Start();

    clock.setTemperature(0x090A);
    clock.setBrightness(0x32);
    clock.SendStatusGroup();
    DeliverReports();
    EXPECT_EQ(thermometerLog, (QStringList{QStringLiteral("0A09"), QStringLiteral("3200")}));
    EXPECT_TRUE(flowchartLog.isEmpty());

    link.UnregisterReceiver(&thermometer);
    clock.SendStatusGroup();
    clock.SendStatusGroup();
    DeliverReports();
    EXPECT_EQ(flowchartLog, (QStringList{QStringLiteral("0A09"), QStringLiteral("3200")}));
}

TEST_F(DeviceLinkTest, ExecutionTraceWhileRunning)
{
    QList<int> traced;
    int completions = 0;
    FunctionReceiver flowchart([&](const QString &text) {
        if (text == kCompletionText)
            ++completions;
        else if (const std::optional<int> address = TraceAddressOf(text))
            traced.append(*address);
    });
    link.RegisterReceiver(ReceiverRole::FlowchartEditor, &flowchart);
    link.Start();
    clock.setRunTrace({0x00, 0x1A});
    clock.setRunsFinishAtOnce(false);
    ASSERT_TRUE(link.RunProgram());
    EXPECT_EQ(traced, (QList<int>{0, 26}));
    EXPECT_EQ(completions, 0);
    EXPECT_TRUE(clock.isRunning());
    ASSERT_TRUE(link.StopProgram());
    EXPECT_EQ(completions, 1);
    EXPECT_FALSE(clock.isRunning());
}

TEST_F(DeviceLinkTest, MemoryReadHoldsProgramAndMelodyAtTheirAddresses)
{
    QStringList readBack;
    FunctionReceiver melodyEditor([&](const QString &text) { readBack.append(MemoryByteOf(text)); });
    link.Start();
    ByteList melody(13, 194);
    melody += ByteList{192, 3, 0, 75, 255, 186};
    ASSERT_TRUE(link.TransferProgram({230, 2, 231}, nullptr));
    ASSERT_TRUE(link.TransferMelody(melody, nullptr));

    // Reports come only while the window waits for them; a status group
    // ahead of the memory is dropped with everything before address 0.
    link.RegisterReceiver(ReceiverRole::MelodyEditor, &melodyEditor);
    clock.setMemoryDumpLead({QByteArray(2, '\0'), QByteArray::fromHex("c409")});
    readBack.append(QStringLiteral("stale"));
    const qsizetype waitsBefore = waiter.waits().size();
    ASSERT_TRUE(link.ReadMemoryInto(readBack));
    EXPECT_EQ(waiter.waits().mid(waitsBefore), (QList<int>{50, 5000}));

    ASSERT_EQ(readBack.size(), VirtualClock::kMemorySize);
    EXPECT_EQ(readBack.mid(0, 5), (QStringList{"E6", "02", "E7", "FA", "FF"}));
    EXPECT_EQ(readBack[128], QStringLiteral("C2"));  // the first LED byte
    EXPECT_EQ(readBack[141], QStringLiteral("C0"));  // LED link on
    EXPECT_EQ(readBack[142], QStringLiteral("03"));  // double speed
    EXPECT_EQ(readBack.mid(144, 4), (QStringList{"4B", "FF", "BA", "FA"}));

    // Nothing transferred: no start byte, an empty read-back.
    VirtualClock emptyClock;
    DeviceLink emptyLink(emptyClock, context);
    emptyLink.RegisterReceiver(ReceiverRole::MelodyEditor, &melodyEditor);
    emptyLink.Start();
    ASSERT_TRUE(emptyLink.ReadMemoryInto(readBack));
    EXPECT_TRUE(readBack.isEmpty());
}

TEST_F(DeviceLinkTest, TemperatureReadTakesTheFirstLogLine)
{
    QStringList log{QStringLiteral("old")};
    FunctionReceiver thermometer([&](const QString &text) { AppendToStatusLog(log, text); });
    link.RegisterReceiver(ReceiverRole::Thermometer, &thermometer);
    link.Start();
    clock.setTemperature(2537);
    const DeviceLink::TemperatureReading reading = link.ReadTemperatureInto(log);
    EXPECT_TRUE(reading.sent);
    EXPECT_EQ(reading.raw, 2537);
    EXPECT_EQ(log, QStringList{QStringLiteral("E909")});

    // No answer: sent, but nothing to read.
    link.UnregisterReceiver(&thermometer);
    const DeviceLink::TemperatureReading silent = link.ReadTemperatureInto(log);
    EXPECT_TRUE(silent.sent);
    EXPECT_FALSE(silent.raw.has_value());
}

TEST_F(DeviceLinkTest, UnplugDuringASendSkipsTheRestAndReportsFailure)
{
    RecordingReceiver editor;
    link.RegisterReceiver(ReceiverRole::TextEditor, &editor);
    link.Start();
    waiter.setOnWait([&](int) {
        if (waiter.waits().size() == 3)
            clock.Unplug();
    });
    ByteList program(120, 5);
    EXPECT_FALSE(link.TransferProgram(program, nullptr));
    // The send went on to the end, pacing included, without the clock.
    EXPECT_EQ(waiter.waits().size(), 122);
    EXPECT_EQ(clock.items(), (ByteList{240, 5, 5}));
    EXPECT_FALSE(progress.visible);
    EXPECT_FALSE(link.IsConnected());
    EXPECT_EQ(removedSignals, 1);
    EXPECT_TRUE(editor.texts.isEmpty());

    // Plugged in again, the next transfer reaches it.
    waiter.setOnWait({});
    clock.Plug();
    clock.ClearRecord();
    EXPECT_TRUE(link.TransferProgram({230, 2, 231}, nullptr));
    EXPECT_EQ(clock.items().size(), 5);
    EXPECT_EQ(editor.texts, QStringList{kCompletionText});
}

TEST_F(DeviceLinkTest, FailedWritesAreSkippedSilently)
{
    link.Start();
    clock.setWritesFail(true);
    EXPECT_TRUE(link.TransferProgram({230, 2, 231}, nullptr));
    EXPECT_TRUE(clock.outputReports().isEmpty());
    EXPECT_EQ(waiter.waits().size(), 5);
}

TEST_F(DeviceLinkTest, ReadErrorStopsReceptionUntilRestarted)
{
    RecordingReceiver editor;
    link.RegisterReceiver(ReceiverRole::FlowchartEditor, &editor);
    link.Start();
    clock.FailReading();
    DeliverReports();
    EXPECT_FALSE(link.isReceiving());
    EXPECT_TRUE(link.RunProgram());
    EXPECT_TRUE(editor.texts.isEmpty());

    // The read command starts reception again.
    EXPECT_TRUE(link.ReadMemory());
    EXPECT_TRUE(link.isReceiving());

    // So does the next device change.
    clock.FailReading();
    DeliverReports();
    EXPECT_FALSE(link.isReceiving());
    clock.AddOtherDevice(kKeyboard, /*afterClock=*/true);
    EXPECT_TRUE(link.isReceiving());
    EXPECT_TRUE(link.RunProgram());
    EXPECT_EQ(editor.texts.last(), kCompletionText);
}

TEST_F(DeviceLinkTest, ReportsOfAnyLengthBecomeTexts)
{
    RecordingReceiver editor;
    link.RegisterReceiver(ReceiverRole::FlowchartEditor, &editor);
    link.Start();
    clock.SendRawReport(QByteArray());
    clock.SendRawReport(QByteArray::fromHex("1234"));
    clock.SendRawReport(QByteArray::fromHex("ab"));
    clock.SendRawReport(QByteArray::fromHex("111a00ff"));
    DeliverReports();
    EXPECT_EQ(editor.texts, (QStringList{QString(), "1234", "AB", "111A00FF"}));

    // A window that went away no longer gets reports, and none is lost
    // in a crash when no window is open at all.
    link.UnregisterReceiver(&editor);
    clock.SendRawReport(QByteArray::fromHex("ffff"));
    DeliverReports();
    EXPECT_EQ(editor.texts.size(), 4);
}

// Every wait ends late by the given overruns in turn, as a real one does.
class LateWaiter final : public Waiter {
public:
    explicit LateWaiter(QList<int> overruns) : m_overruns(std::move(overruns)) {}
    void WaitProcessing(int milliseconds) override
    {
        waits.append(milliseconds);
        m_now += milliseconds + (m_overruns.isEmpty() ? 0 : m_overruns.takeFirst());
    }
    qint64 Now() const override { return m_now; }
    QList<int> waits;

private:
    QList<int> m_overruns;
    qint64 m_now = 0;
};

TEST(DeviceLinkPacing, OverrunsAreTakenFromTheNextPauseDownTo45Ms)
{
    RecordingDialogs dialogs;
    LateWaiter waiter({2, 20, 0, 0, 0, 0, 200});
    testing::TempPaths temp;
    StudioContext context(dialogs, waiter, temp.paths());
    VirtualClock clock;
    DeviceLink link(clock, context);
    link.Start();
    ASSERT_TRUE(link.SendList({1, 2, 3, 4, 5, 6}));
    // The 20 ms overrun is made up over several pauses, none below 45 ms.
    EXPECT_EQ(waiter.waits, (QList<int>{50, 48, 45, 45, 45, 45}));
    EXPECT_EQ(waiter.Now(), 6 * 50);

    // Far behind, the schedule starts afresh instead of hurrying.
    waiter.waits.clear();
    ASSERT_TRUE(link.SendList({1, 2, 3}));
    EXPECT_EQ(waiter.waits, (QList<int>{50, 50, 50}));
}

}  // namespace
}  // namespace kq
