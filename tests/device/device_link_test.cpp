#include "device/device_link.h"

#include "base/message_boxes.h"
#include "base/transfer_progress.h"
#include "device/device_identity.h"
#include "device/device_messages.h"
#include "device/report_text.h"
#include "device/virtual_clock.h"
#include "model/device_generation.h"
#include "support/fake_waiter.h"
#include "support/recording_dialogs.h"

#include "recording_receiver.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>

namespace kq {
namespace {

using testing::RecordingDialogs;

class FunctionReceiver final : public ReportReceiver {
public:
    explicit FunctionReceiver(std::function<void(const QString &)> onReport) : m_onReport(std::move(onReport)) {}
    void ReportReceived(const QString &text) override { m_onReport(text); }
    void ClockLost() override { ++lost; }
    int lost = 0;

private:
    std::function<void(const QString &)> m_onReport;
};

using testing::RecordingReceiver;

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
        link.SetProgressDisplay(&progress);
        QObject::connect(&link, &DeviceLink::ClockConnected, [this] { ++connectedSignals; });
        QObject::connect(&link, &DeviceLink::ClockRemoved, [this] { ++removedSignals; });
        QObject::connect(&generation, &DeviceGeneration::Changed, [this](int g) { generationSignals.append(g); });
    }

    // Lets the queued answers of the clock (and a queued rescan) arrive.
    static void DeliverReports() { QCoreApplication::processEvents(); }

    // Runs action once, during the wait with this number (from 1).
    void DuringWait(qsizetype number, std::function<void()> action)
    {
        waiter.SetOnWait([this, number, action = std::move(action)](int) {
            if (waiter.Waits().size() == number)
                action();
        });
    }

    RecordingDialogs dialogs;
    testing::FakeWaiter waiter;
    DeviceGeneration generation;
    VirtualClock clock;
    DeviceLink link{clock, dialogs, waiter, generation};
    RecordingProgress progress;
    int connectedSignals = 0;
    int removedSignals = 0;
    QList<int> generationSignals;
};

const HidDeviceInfo kKeyboard{0x046D, 0xC31C, QStringLiteral("USB Keyboard"), QString(), QStringLiteral("kbd")};
// A second clock that takes reports and never answers.
const HidDeviceInfo kSecondClock{kClockVendorId, kClockProductId, QString(), QStringLiteral("B"),
                                 QStringLiteral("second")};

TEST_F(DeviceLinkTest, NoDeviceAtAll)
{
    clock.Unplug();
    link.Start();
    EXPECT_TRUE(link.Devices().isEmpty());
    EXPECT_FALSE(link.IsConnected());
    EXPECT_EQ(generation.Value(), kCurrentGeneration);
    EXPECT_EQ(connectedSignals, 0);
    EXPECT_TRUE(dialogs.Records().isEmpty());

    // Every command fails before sending or waiting.
    EXPECT_FALSE(link.TransferProgram({230, 2, 231}, nullptr));
    EXPECT_FALSE(link.RunProgram());
    EXPECT_FALSE(link.TimedTrain(TrainDirection::Forward, 25));
    EXPECT_FALSE(link.ReadMemory().has_value());
    EXPECT_EQ(link.ReadTemperature().result, DeviceLink::TemperatureReading::Result::NoClock);
    EXPECT_TRUE(waiter.Waits().isEmpty());
    EXPECT_EQ(progress.shown, 0);
}

TEST_F(DeviceLinkTest, FindsTheClockAndStartsReceiving)
{
    clock.SetSerial(QStringLiteral("0001"));
    clock.AddOtherDevice(kKeyboard, /*afterClock=*/false);
    link.Start();
    ASSERT_TRUE(link.IsConnected());
    EXPECT_TRUE(link.IsReceiving());
    EXPECT_EQ(connectedSignals, 1);
    ASSERT_EQ(link.Devices().size(), 2);
    EXPECT_EQ(link.Devices()[0].identification, QStringLiteral("046D C31C"));
    EXPECT_EQ(link.Devices()[1].identification, kClockIdentification);
    EXPECT_EQ(link.Devices()[1].description, QStringLiteral("Device VID=21CF PID=0002 (Serial=0001)"));
    EXPECT_TRUE(dialogs.Records().isEmpty());
}

TEST_F(DeviceLinkTest, OlderClockSetsGenerationThreeUntilANewerOneIsFound)
{
    clock.SetProduct(kOlderClockProduct);
    clock.SetSerial(QStringLiteral("77"));  // compared by product string, not description
    link.Start();
    EXPECT_EQ(generation.Value(), kOlderGeneration);
    EXPECT_EQ(dialogs.Texts(RecordingDialogs::Kind::Information), QStringList{kOlderClockNotice});
    EXPECT_EQ(generationSignals, QList<int>{kOlderGeneration});
    EXPECT_TRUE(link.IsConnected());

    // A keyboard enumerated after the clock leaves the generation alone.
    dialogs.Clear();
    clock.AddOtherDevice(kKeyboard, /*afterClock=*/true);
    EXPECT_EQ(generation.Value(), kOlderGeneration);
    EXPECT_EQ(generationSignals.size(), 1);

    // The generation is kept while no clock is there.
    clock.Unplug();
    EXPECT_FALSE(link.IsConnected());
    EXPECT_EQ(removedSignals, 1);
    EXPECT_EQ(generation.Value(), kOlderGeneration);

    clock.SetProduct(QStringLiteral("LED clock"));
    clock.Plug();
    EXPECT_TRUE(link.IsConnected());
    EXPECT_EQ(generation.Value(), kCurrentGeneration);
    EXPECT_EQ(generationSignals, (QList<int>{kOlderGeneration, kCurrentGeneration}));
    EXPECT_TRUE(dialogs.Texts(RecordingDialogs::Kind::Information).size() == 1);
}

TEST_F(DeviceLinkTest, OtherModelIsWarnedAboutAndStillConnected)
{
    clock.SetProduct(kOtherModelProduct);
    link.Start();
    EXPECT_EQ(dialogs.Texts(RecordingDialogs::Kind::Warning), QStringList{kOtherModelWarning});
    EXPECT_TRUE(link.IsConnected());
    EXPECT_EQ(generation.Value(), kCurrentGeneration);
}

// Shows each message in a nested event loop, as a message box does, and
// lets a test change the devices meanwhile.
class NestedMessages final : public MessageBoxes {
public:
    void Warning(QWidget *, const QString &text) override { Show(text); }
    void Information(QWidget *, const QString &text) override { Show(text); }
    bool AskYesNo(QWidget *, const QString &) override { return true; }

    std::function<void()> whileShown;
    QStringList shown;
    int open = 0;
    int mostOpen = 0;

private:
    void Show(const QString &text)
    {
        shown.append(text);
        mostOpen = std::max(mostOpen, ++open);
        if (std::function<void()> action = std::exchange(whileShown, {}))
            action();
        --open;
    }
};

TEST_F(DeviceLinkTest, DeviceChangeMessagesDoNotPileUp)
{
    NestedMessages messages;
    DeviceLink nestedLink(clock, messages, waiter, generation);
    clock.SetProduct(kOlderClockProduct);
    // Two more changes while the first notice is open: only the latest one's
    // notice follows, once the first is closed.
    messages.whileShown = [&] {
        clock.AddOtherDevice(kKeyboard, /*afterClock=*/true);
        clock.RemoveOtherDevice(kKeyboard.path);
    };
    nestedLink.Start();
    EXPECT_EQ(messages.mostOpen, 1);
    EXPECT_EQ(messages.shown, (QStringList{kOlderClockNotice, kOlderClockNotice}));
}

TEST_F(DeviceLinkTest, LastClockEnumeratedWinsUnlessItCannotBeOpened)
{
    clock.AddOtherDevice(kSecondClock, /*afterClock=*/true, /*openable=*/true);
    link.Start();
    ASSERT_TRUE(link.CurrentDevice().has_value());
    EXPECT_EQ(link.CurrentDevice()->path, kSecondClock.path);
    EXPECT_TRUE(link.RunProgram());
    EXPECT_EQ(clock.OutputReports().size(), 0);
    EXPECT_EQ(clock.OtherDeviceReports(kSecondClock.path).size(), 1);

    // One without access gives way to the clock before it.
    clock.RemoveOtherDevice(kSecondClock.path);
    clock.AddOtherDevice(kSecondClock, /*afterClock=*/true, /*openable=*/false);
    EXPECT_EQ(link.CurrentDevice()->path, clock.Info().path);
}

TEST_F(DeviceLinkTest, TransferOfTheSmallestProgram)
{
    RecordingReceiver editor;
    link.RegisterReceiver(ReceiverRole::IconEditor, &editor);
    link.Start();
    ASSERT_TRUE(link.TransferProgram({230, 2, 231}, nullptr));

    EXPECT_EQ(clock.Items(), (ByteList{240, 230, 2, 231, 250}));
    for (const QByteArray &report : clock.OutputReports()) {
        ASSERT_EQ(report.size(), 9);
        EXPECT_EQ(report[0], '\0');
        EXPECT_EQ(report.mid(1), QByteArray(8, report[1]));
    }
    EXPECT_EQ(waiter.Waits(), (QList<int>{50, 50, 50, 50, 50}));
    EXPECT_EQ(progress.shown, 1);
    EXPECT_FALSE(progress.visible);
    EXPECT_EQ(progress.values, (QList<int>{0, 20, 40, 60, 80, 100}));
    // The completion report arrived during the last pause.
    EXPECT_EQ(editor.texts, QStringList{kCompletionText});
    EXPECT_EQ(clock.Memory().mid(0, 5), (ByteList{230, 2, 231, 250, 255}));
}

TEST_F(DeviceLinkTest, ClockSettingAndTimedTrain)
{
    link.Start();
    ASSERT_TRUE(link.SetClock(ClockSetting{2025, 3, 7, 14, 5, false, 12, 0}, nullptr));
    EXPECT_EQ(clock.Items(), (ByteList{247, 25, 3, 7, 14, 5, 0, 12, 0}));
    ASSERT_TRUE(clock.ReceivedClockSetting().has_value());
    EXPECT_EQ(clock.ReceivedClockSetting()->day, 7);
    EXPECT_FALSE(clock.ReceivedClockSetting()->alarmOn);
    EXPECT_EQ(progress.shown, 1);

    clock.ClearRecord();
    const int waitsBefore = int(waiter.Waits().size());
    ASSERT_TRUE(link.TimedTrain(TrainDirection::Forward, 25));
    EXPECT_EQ(clock.Items(), (ByteList{222, 226}));
    EXPECT_EQ(waiter.Waits().mid(waitsBefore), (QList<int>{50, 2500, 50}));
    clock.ClearRecord();
    ASSERT_TRUE(link.TimedTrain(TrainDirection::Backward, 0));
    EXPECT_EQ(clock.Items(), (ByteList{223, 226}));
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
        {[&] { return link.ReadTemperature().result != DeviceLink::TemperatureReading::Result::NoClock; }, 244},
        {[&] { return link.ReadMemory().has_value(); }, 245},
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
        EXPECT_EQ(clock.Items(), ByteList{command.item});
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
    EXPECT_EQ(clock.Items().first(), 242);
    EXPECT_EQ(clock.Items().size(), 1 + 18 + 1 + 1);
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

    clock.SetTemperature(0x090A);
    clock.SetBrightness(0x32);
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
    clock.SetRunTrace({0x00, 0x1A});
    clock.SetRunsFinishAtOnce(false);
    ASSERT_TRUE(link.RunProgram());
    EXPECT_EQ(traced, (QList<int>{0, 26}));
    EXPECT_EQ(completions, 0);
    EXPECT_TRUE(clock.IsRunning());
    ASSERT_TRUE(link.StopProgram());
    EXPECT_EQ(completions, 1);
    EXPECT_FALSE(clock.IsRunning());
}

TEST_F(DeviceLinkTest, ExecutedProgramReportsEveryAddressThroughItsSubroutine)
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
    clock.SetExecutesPrograms(true);
    // 0 start, 2 call 8 returning to 5, 5 backlight on, 7 end; 8 wait for the
    // switch, 10 return, 11 a timer of 3 s, 14 return
    ASSERT_TRUE(link.TransferProgram({230, 2, 195, 8, 5, 141, 7, 231, 171, 11, 196, 160, 3, 14, 196}, nullptr));
    completions = 0;

    ASSERT_TRUE(link.RunProgram());
    DeliverReports();
    EXPECT_EQ(traced, (QList<int>{0, 2, 8}));
    EXPECT_EQ(clock.WaitingFor(), 2);
    EXPECT_TRUE(clock.IsRunning());
    EXPECT_FALSE(clock.DeliverWaitEvent(3));
    EXPECT_TRUE(clock.DeliverWaitEvent(2));
    DeliverReports();
    EXPECT_EQ(traced, (QList<int>{0, 2, 8, 11, 14, 5, 7}));
    EXPECT_EQ(clock.RunTime(), 3000);
    EXPECT_EQ(completions, 1);
    EXPECT_FALSE(clock.IsRunning());

    // The stop command ends a run paused on its wait.
    traced.clear();
    ASSERT_TRUE(link.RunProgram());
    DeliverReports();
    EXPECT_EQ(clock.WaitingFor(), 2);
    ASSERT_TRUE(link.StopProgram());
    DeliverReports();
    EXPECT_EQ(completions, 2);
    EXPECT_EQ(clock.WaitingFor(), 0);
    EXPECT_FALSE(clock.DeliverWaitEvent(2));
    EXPECT_EQ(traced, (QList<int>{0, 2, 8}));
}

TEST_F(DeviceLinkTest, MemoryReadReturnsProgramAndMelodyAtTheirAddresses)
{
    RecordingReceiver melodyEditor;
    link.RegisterReceiver(ReceiverRole::MelodyEditor, &melodyEditor);
    link.Start();
    ByteList melody(13, 194);
    melody += ByteList{192, 3, 0, 75, 255, 186};
    ASSERT_TRUE(link.TransferProgram({230, 2, 231}, nullptr));
    ASSERT_TRUE(link.TransferMelody(melody, nullptr));
    melodyEditor.texts.clear();

    // A status group ahead of the memory is dropped with everything before
    // address 0.
    clock.SetMemoryDumpLead({QByteArray(2, '\0'), QByteArray::fromHex("c409")});
    const qsizetype waitsBefore = waiter.Waits().size();
    const std::optional<QStringList> memory = link.ReadMemory();
    ASSERT_TRUE(memory.has_value());
    EXPECT_EQ(waiter.Waits().mid(waitsBefore), (QList<int>{50, 5000}));

    ASSERT_EQ(memory->size(), VirtualClock::kMemorySize);
    EXPECT_EQ(memory->mid(0, 5), (QStringList{"E6", "02", "E7", "FA", "FF"}));
    EXPECT_EQ((*memory)[128], QStringLiteral("C2"));  // the first LED byte
    EXPECT_EQ((*memory)[141], QStringLiteral("C0"));  // LED link on
    EXPECT_EQ((*memory)[142], QStringLiteral("03"));  // double speed
    EXPECT_EQ(memory->mid(144, 4), (QStringList{"4B", "FF", "BA", "FA"}));
    // The read's reports are the read's; the window sees what comes after.
    EXPECT_TRUE(melodyEditor.texts.isEmpty());
    clock.FinishRun();
    DeliverReports();
    EXPECT_EQ(melodyEditor.texts, QStringList{kCompletionText});

    // Nothing transferred: no start byte, an empty read-back.
    VirtualClock emptyClock;
    DeviceLink emptyLink(emptyClock, dialogs, waiter, generation);
    emptyLink.Start();
    const std::optional<QStringList> empty = emptyLink.ReadMemory();
    ASSERT_TRUE(empty.has_value());
    EXPECT_TRUE(empty->isEmpty());
}

TEST_F(DeviceLinkTest, TemperatureFromTheFirstReply)
{
    RecordingReceiver thermometer;
    link.RegisterReceiver(ReceiverRole::Thermometer, &thermometer);
    link.Start();
    clock.SetTemperature(2537);
    const DeviceLink::TemperatureReading reading = link.ReadTemperature();
    EXPECT_EQ(reading.result, DeviceLink::TemperatureReading::Result::Received);
    EXPECT_EQ(reading.hundredths, 2537);
    EXPECT_TRUE(thermometer.texts.isEmpty());

    // A clock that never answers: sent, but nothing came.
    clock.AddOtherDevice(kSecondClock, /*afterClock=*/true, /*openable=*/true);
    ASSERT_EQ(link.CurrentDevice()->path, kSecondClock.path);
    EXPECT_EQ(link.ReadTemperature().result, DeviceLink::TemperatureReading::Result::NothingCame);
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

// -- One send at a time.

TEST_F(DeviceLinkTest, ACommandGivenDuringATransferIsSentAfterIt)
{
    RecordingReceiver editor;
    link.RegisterReceiver(ReceiverRole::FlowchartEditor, &editor);
    link.Start();
    bool runSent = false;
    std::optional<QStringList> memory;
    DuringWait(3, [&] { runSent = link.RunProgram(); });
    // 240, eight program bytes, 250: ten items.
    ASSERT_TRUE(link.TransferProgram({230, 1, 1, 1, 1, 1, 1, 231}, nullptr));
    EXPECT_TRUE(runSent);
    EXPECT_EQ(clock.Items(), (ByteList{240, 230, 1, 1, 1, 1, 1, 1, 231, 250, 241}));
    EXPECT_EQ(waiter.Waits().size(), 11);
    EXPECT_EQ(progress.values.mid(0, 11), (QList<int>{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
    EXPECT_EQ(editor.texts, (QStringList{kCompletionText, kCompletionText}));

    // A read's five seconds are its own too: a command waits for their end.
    clock.ClearRecord();
    editor.texts.clear();
    waiter.SetOnWait({});
    const qsizetype waitsBefore = waiter.Waits().size();
    DuringWait(waitsBefore + 2, [&] { runSent = link.RunProgram(); });
    memory = link.ReadMemory();
    ASSERT_TRUE(memory.has_value());
    EXPECT_EQ(memory->size(), VirtualClock::kMemorySize);
    EXPECT_EQ(clock.Items(), (ByteList{245, 241}));
    EXPECT_EQ(editor.texts, QStringList{kCompletionText});
}

TEST_F(DeviceLinkTest, ASendNeverGoesOnOnAClockThatCameBack)
{
    const struct {
        const char *name;
        std::function<void(VirtualClock &)> comeBack;
    } cases[] = {
        {"the same clock", [](VirtualClock &clock) { clock.Plug(); }},
        {"another clock",
         [](VirtualClock &clock) { clock.AddOtherDevice(kSecondClock, /*afterClock=*/true, /*openable=*/true); }},
    };
    for (const auto &c : cases) {
        testing::FakeWaiter caseWaiter;
        VirtualClock caseClock;
        DeviceLink caseLink(caseClock, dialogs, caseWaiter, generation);
        caseLink.Start();
        bool runSent = true;
        caseWaiter.SetOnWait([&](int) {
            const qsizetype number = caseWaiter.Waits().size();
            if (number == 2)
                runSent = caseLink.RunProgram();  // given for the clock that goes
            if (number == 5) {
                caseClock.Unplug();
                caseWaiter.WaitProcessing(100);  // item 7's time
                c.comeBack(caseClock);
            }
        });
        // Unplugged after item 5, back at item 7.
        EXPECT_FALSE(caseLink.TransferProgram({230, 1, 1, 1, 1, 1, 1, 231}, nullptr)) << c.name;
        EXPECT_FALSE(runSent) << c.name;
        EXPECT_EQ(caseClock.Items(), (ByteList{240, 230, 1, 1, 1})) << c.name;
        caseWaiter.SetOnWait({});
        caseClock.ClearRecord();
        DeliverReports();
        ASSERT_TRUE(caseLink.IsConnected()) << c.name;
        EXPECT_TRUE(caseClock.Items().isEmpty()) << c.name;
        EXPECT_TRUE(caseClock.OtherDeviceReports(kSecondClock.path).isEmpty()) << c.name;

        // Until a new command is given.
        EXPECT_TRUE(caseLink.RunProgram()) << c.name;
        EXPECT_EQ(caseClock.Items().size() + caseClock.OtherDeviceReports(kSecondClock.path).size(), 1) << c.name;
    }
}

// -- The clock going at any moment: every send fails, no window keeps waiting.

TEST_F(DeviceLinkTest, PulledOutDuringATransfer)
{
    RecordingReceiver editor;
    link.RegisterReceiver(ReceiverRole::TextEditor, &editor);
    link.Start();
    DuringWait(3, [&] { clock.Unplug(); });
    EXPECT_FALSE(link.TransferProgram(ByteList(120, 5), nullptr));
    // The rest is dropped at once.
    EXPECT_EQ(waiter.Waits().size(), 3);
    EXPECT_EQ(clock.Items(), (ByteList{240, 5, 5}));
    EXPECT_FALSE(progress.visible);
    EXPECT_FALSE(link.IsConnected());
    EXPECT_EQ(removedSignals, 1);
    EXPECT_EQ(editor.lost, 1);
    EXPECT_TRUE(editor.texts.isEmpty());

    // Plugged in again, the next transfer reaches it.
    waiter.SetOnWait({});
    clock.Plug();
    clock.ClearRecord();
    EXPECT_TRUE(link.TransferProgram({230, 2, 231}, nullptr));
    EXPECT_EQ(clock.Items().size(), 5);
    EXPECT_EQ(editor.texts, QStringList{kCompletionText});
}

TEST_F(DeviceLinkTest, PulledOutDuringARunReleasesTheWaitingWindows)
{
    RecordingReceiver flowchart;
    RecordingReceiver thermometer;
    link.RegisterReceiver(ReceiverRole::FlowchartEditor, &flowchart);
    link.RegisterReceiver(ReceiverRole::Thermometer, &thermometer);
    link.Start();
    clock.SetRunsFinishAtOnce(false);
    ASSERT_TRUE(link.RunProgram());
    clock.Unplug();
    // The completion report will never come: every window learns it.
    EXPECT_EQ(flowchart.lost, 1);
    EXPECT_EQ(thermometer.lost, 1);
    EXPECT_FALSE(link.StopProgram());
}

TEST_F(DeviceLinkTest, PulledOutDuringAMemoryRead)
{
    link.Start();
    ASSERT_TRUE(link.TransferProgram({230, 2, 231}, nullptr));
    for (const qsizetype wait : {1, 2}) {  // during the pause, during the five seconds
        clock.Plug();
        const qsizetype waitsBefore = waiter.Waits().size();
        DuringWait(waitsBefore + wait, [&] { clock.Unplug(); });
        EXPECT_FALSE(link.ReadMemory().has_value()) << wait;
        waiter.SetOnWait({});
    }
}

TEST_F(DeviceLinkTest, WritesFailing)
{
    RecordingReceiver editor;
    link.RegisterReceiver(ReceiverRole::IconEditor, &editor);
    link.Start();
    clock.SetWritesFail(true);
    EXPECT_FALSE(link.TransferProgram({230, 2, 231}, nullptr));
    EXPECT_TRUE(clock.OutputReports().isEmpty());
    // The first failed write ends the send and counts as the clock leaving.
    EXPECT_EQ(waiter.Waits().size(), 1);
    EXPECT_FALSE(link.IsConnected());
    EXPECT_EQ(removedSignals, 1);
    EXPECT_EQ(editor.lost, 1);

    // The devices are looked at again: the clock is still there.
    DeliverReports();
    EXPECT_TRUE(link.IsConnected());
    clock.SetWritesFail(false);
    EXPECT_TRUE(link.RunProgram());
}

TEST_F(DeviceLinkTest, AStalledClockEndsTheSendAfterAShortTime)
{
    link.Start();
    clock.SetStalled(true);
    EXPECT_FALSE(link.TransferProgram({230, 2, 231}, nullptr));
    EXPECT_EQ(waiter.TotalWaited(), DeviceLink::kStalledWriteMs);
    EXPECT_FALSE(link.IsConnected());
    EXPECT_EQ(removedSignals, 1);
}

TEST_F(DeviceLinkTest, UnpluggedAndPluggedInAgainBetweenTwoLooks)
{
    RecordingReceiver editor;
    link.RegisterReceiver(ReceiverRole::FlowchartEditor, &editor);
    link.Start();

    // The handle is dead though nothing announced it: the first write
    // tells, and counts as a removal.
    clock.ReplugUnnoticed();
    EXPECT_TRUE(link.IsConnected());
    EXPECT_FALSE(link.RunProgram());
    EXPECT_FALSE(link.IsConnected());
    EXPECT_EQ(removedSignals, 1);
    EXPECT_EQ(editor.lost, 1);
    DeliverReports();
    ASSERT_TRUE(link.IsConnected());
    EXPECT_TRUE(link.RunProgram());
    EXPECT_EQ(editor.texts, QStringList{kCompletionText});

    // So does a read error on it.
    clock.ReplugUnnoticed();
    clock.FailReading();
    DeliverReports();
    EXPECT_EQ(removedSignals, 2);
    DeliverReports();
    EXPECT_TRUE(link.IsConnected());
    EXPECT_TRUE(link.IsReceiving());
    EXPECT_TRUE(link.RunProgram());
}

TEST_F(DeviceLinkTest, ReadErrorDropsTheClockAndLooksAgain)
{
    RecordingReceiver editor;
    link.RegisterReceiver(ReceiverRole::FlowchartEditor, &editor);
    link.Start();
    clock.FailReading();
    QCoreApplication::sendPostedEvents();  // the error only, not yet the new look
    EXPECT_FALSE(link.IsConnected());
    EXPECT_EQ(removedSignals, 1);
    EXPECT_EQ(editor.lost, 1);

    DeliverReports();
    ASSERT_TRUE(link.IsConnected());
    EXPECT_TRUE(link.IsReceiving());
    EXPECT_EQ(connectedSignals, 2);
    EXPECT_TRUE(link.RunProgram());
    EXPECT_EQ(editor.texts, QStringList{kCompletionText});
}

TEST_F(DeviceLinkTest, AWindowsNestedEventLoopWhileTheClockGoes)
{
    int reports = 0;
    FunctionReceiver flowchart([&](const QString &) {
        ++reports;
        // A message box shown from the report, while the clock is pulled out.
        QEventLoop box;
        QTimer::singleShot(0, &box, [&] {
            clock.Unplug();
            box.quit();
        });
        box.exec();
    });
    link.RegisterReceiver(ReceiverRole::FlowchartEditor, &flowchart);
    link.Start();
    clock.SendRawReport(QByteArray::fromHex("0a09"));
    DeliverReports();
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(flowchart.lost, 1);
    EXPECT_FALSE(link.IsConnected());
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
    DeviceGeneration generation;
    VirtualClock clock;
    DeviceLink link(clock, dialogs, waiter, generation);
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
