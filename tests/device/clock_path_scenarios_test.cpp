#include "base/message_boxes.h"
#include "device/device_identity.h"
#include "device/device_link.h"
#include "device/device_messages.h"
#include "device/hidapi_backend.h"
#include "fake_hid_machine.h"
#include "model/device_generation.h"
#include "support/fake_waiter.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <utility>

// The device link over the real hidapi backend, its reader and writer
// threads, the fake hidapi and a sysfs tree: each scenario plugs, unplugs
// and sends, and gives the events in the order the pupil's windows see them.
namespace kq {
namespace {

using testing::FakeHidDevice;
using testing::FakeHidMachine;
namespace descriptor = testing::descriptor;

QString NodeOf(const QString &path)
{
    return QFileInfo(path).fileName();
}

// An opened device of the backend below, passed through; the bench looks at
// its writes through it.
class WatchedDevice final : public HidDevice {
public:
    WatchedDevice(std::unique_ptr<HidDevice> device, QString path, QList<WatchedDevice *> &open)
        : m_device(std::move(device)), m_path(std::move(path)), m_open(open)
    {
        m_open.append(this);
    }
    ~WatchedDevice() override { m_open.removeAll(this); }

    int OutputReportLength() const override { return m_device->OutputReportLength(); }
    int InputReportLength() const override { return m_device->InputReportLength(); }
    void BeginWrite(const QByteArray &report) override { m_device->BeginWrite(report); }
    WriteStatus LastWrite() const override { return m_device->LastWrite(); }
    void StartReading(ReportHandler onReport, ErrorHandler onError) override
    {
        m_device->StartReading(std::move(onReport), std::move(onError));
    }
    void StopReading() override { m_device->StopReading(); }
    bool IsReading() const override { return m_device->IsReading(); }

    void SettleWrite() const { FakeHidMachine::SettledWrite(*m_device, m_path); }
    // Reading has begun, or will not: a reader thread started has read.
    bool ReaderStarted() const { return !m_device->IsReading() || testing::FakeHidapi::Instance().IsBeingRead(m_path); }

private:
    std::unique_ptr<HidDevice> m_device;
    const QString m_path;
    QList<WatchedDevice *> &m_open;
};

// The hidapi backend with its signals logged, and a way to let the threads
// below catch up with virtual time.
class SettlingBackend final : public HidBackend {
public:
    SettlingBackend(HidapiBackend &backend, QStringList &log) : m_backend(backend)
    {
        connect(&backend, &HidBackend::DeviceRemoved, this, [this, &log](const HidDeviceInfo &device) {
            log.append(QStringLiteral("removed ") + NodeOf(device.path));
            emit DeviceRemoved(device);
        });
        connect(&backend, &HidBackend::DevicesChanged, this, [this, &log] {
            log.append(QStringLiteral("changed"));
            emit DevicesChanged();
        });
    }

    QList<HidDeviceInfo> Devices() override { return m_backend.Devices(); }
    OpenedDevice Open(const HidDeviceInfo &device) override
    {
        OpenedDevice opened = m_backend.Open(device);
        if (opened.device)
            opened.device = std::make_unique<WatchedDevice>(std::move(opened.device), device.path, m_open);
        return opened;
    }
    void StartWatching() override { m_backend.StartWatching(); }
    void Rescan(const HidDeviceInfo &device) override { m_backend.Rescan(device); }

    // Every write begun has ended (or stalls), and every report read has
    // been handled.
    void Settle()
    {
        for (const WatchedDevice *device : std::as_const(m_open))
            device->SettleWrite();
        FakeHidMachine::PumpUntil([this] {
            return std::all_of(m_open.cbegin(), m_open.cend(),
                               [](const WatchedDevice *d) { return d->ReaderStarted(); })
                && testing::FakeHidapi::Instance().ReadersIdle();
        });
    }

private:
    HidapiBackend &m_backend;
    QList<WatchedDevice *> m_open;
};

QString MessageName(const QString &text)
{
    if (text == kOtherModelWarning)
        return QStringLiteral("other model");
    if (text == kOlderClockNotice)
        return QStringLiteral("older clock");
    if (text == kClockNotAccessibleWarning)
        return QStringLiteral("no access");
    return text;
}

class LoggedMessages final : public MessageBoxes {
public:
    explicit LoggedMessages(QStringList &log) : m_log(log) {}
    void Warning(QWidget *, const QString &text) override
    {
        m_log.append(QStringLiteral("warning ") + MessageName(text));
    }
    void Information(QWidget *, const QString &text) override
    {
        m_log.append(QStringLiteral("information ") + MessageName(text));
    }
    bool AskYesNo(QWidget *, const QString &text) override
    {
        m_log.append(QStringLiteral("question ") + text);
        return true;
    }

private:
    QStringList &m_log;
};

// The flowchart window's part: the reports routed to it, and the clock's loss.
class LoggedReceiver final : public ReportReceiver {
public:
    explicit LoggedReceiver(QStringList &log) : m_log(log) {}
    void ReportReceived(const QString &text) override { m_log.append(QStringLiteral("report ") + text); }
    void ClockLost() override { m_log.append(QStringLiteral("lost")); }

private:
    QStringList &m_log;
};

using testing::kClockNode;
const QString kClockPort = QStringLiteral("1-2");
const QByteArray kCompletion = QByteArray::fromHex("ffff");

// The clock as it answers: completion after a transfer and a run, its
// memory (after a stray status report) after the read command.
FakeHidDevice Clock(const QString &product = QString())
{
    FakeHidDevice clock = testing::ClockDevice(product);
    clock.answers[command::kTransferEnd] = {kCompletion};
    clock.answers[command::kRunProgram] = {kCompletion};
    clock.answers[command::kReadMemory] = {QByteArray::fromHex("0005"), QByteArray::fromHex("00e6"),
                                           QByteArray::fromHex("0002"), QByteArray::fromHex("00e7"),
                                           QByteArray::fromHex("00fa")};
    return clock;
}

FakeHidDevice DeniedClock()
{
    FakeHidDevice clock = Clock();
    clock.accessDenied = true;
    return clock;
}

// Everything from the fake hidapi up to the device link, with every event
// in one log.
class Bench final {
public:
    Bench()
    {
        machine.Hid().SetOnOpen([this](const QString &attempt) { log.append(QStringLiteral("open ") + attempt); });
        link.RegisterReceiver(ReceiverRole::FlowchartEditor, &receiver);
        QObject::connect(&link, &DeviceLink::ClockConnected, [this] { log.append(QStringLiteral("connected")); });
        QObject::connect(&link, &DeviceLink::ClockRemoved, [this] { log.append(QStringLiteral("clock removed")); });
        waiter.SetOnWait([this](int milliseconds) {
            log.append(QStringLiteral("wait %1").arg(milliseconds));
            backend.Settle();
            if (++m_waits == m_actionWait && m_action)
                std::exchange(m_action, nullptr)();
        });
    }
    ~Bench() { link.UnregisterReceiver(&receiver); }

    void PlugClock(const FakeHidDevice &clock = Clock(), const QString &node = kClockNode,
                   const QString &port = kClockPort)
    {
        machine.Plug(node, port, clock, descriptor::kClock);
    }
    void PlugKeyboard()
    {
        machine.Plug(QStringLiteral("hidraw0"), QStringLiteral("1-1"), testing::KeyboardDevice(),
                     descriptor::kKeyboard);
    }
    void Unplug(const QString &node = kClockNode)
    {
        machine.Unplug(node);
        backend.Settle();
    }

    void Start()
    {
        link.Start();
        backend.Settle();
    }
    // One look of the 1 s watch.
    void Look()
    {
        log.append(QStringLiteral("look"));
        hid.CheckForChanges();
        backend.Settle();
    }
    void SendReport(const QByteArray &report)
    {
        machine.Hid().SendInputReport(testing::DevicePath(kClockNode), report);
        backend.Settle();
    }
    void Transfer(const ByteList &program = {230, 2, 231})
    {
        log.append(link.TransferProgram(program, nullptr) ? QStringLiteral("sent") : QStringLiteral("not sent"));
        backend.Settle();
    }
    void ReadMemory()
    {
        const std::optional<QStringList> memory = link.ReadMemory();
        log.append(memory ? QStringLiteral("memory ") + memory->join(QLatin1Char(' ')) : QStringLiteral("no memory"));
        backend.Settle();
    }
    void LogGeneration() { log.append(QStringLiteral("generation %1").arg(generation.Value())); }
    // Runs action during the wait with this number (from 1), once the
    // threads have caught up with it.
    void DuringWait(int number, std::function<void()> action)
    {
        m_actionWait = number;
        m_action = std::move(action);
    }

    QStringList log;
    FakeHidMachine machine;
    HidapiBackend hid{machine.SysfsRoot()};
    SettlingBackend backend{hid, log};
    LoggedMessages messages{log};
    LoggedReceiver receiver{log};
    testing::FakeWaiter waiter;
    DeviceGeneration generation;
    DeviceLink link{backend, messages, waiter, generation};

private:
    int m_waits = 0;
    int m_actionWait = 0;
    std::function<void()> m_action;
};

// Runs of the same event as one "event ×n", so pacing reads at a glance.
QStringList Compressed(const QStringList &log)
{
    QStringList compressed;
    for (qsizetype i = 0; i < log.size();) {
        qsizetype end = i + 1;
        while (end < log.size() && log[end] == log[i])
            ++end;
        compressed.append(end - i > 1 ? QStringLiteral("%1 ×%2").arg(log[i]).arg(end - i) : log[i]);
        i = end;
    }
    return compressed;
}

struct Scenario {
    const char *name;
    std::function<void(Bench &)> run;
    QStringList events;
    QStringList written;  // what the clock took
};

const QStringList kSmallestTransfer{"hidraw3 240", "hidraw3 230", "hidraw3 2", "hidraw3 231", "hidraw3 250"};

const Scenario kScenarios[] = {
    {"NoDeviceAtAll",
     [](Bench &b) {
         b.Start();
         b.Transfer();
         b.LogGeneration();
     },
     {"changed", "not sent", "generation 4"},
     {}},
    // The keyboard is never opened; status reports reach the window, a
    // transfer is paced at 50 ms and its completion comes back.
    {"TheClockBesideAKeyboard",
     [](Bench &b) {
         b.PlugKeyboard();
         b.PlugClock();
         b.Start();
         b.SendReport(QByteArray::fromHex("0000"));
         b.SendReport(QByteArray::fromHex("0a09"));
         b.Transfer();
     },
     {"changed", "open hidraw3 ×2", "connected", "report 0000", "report 0A09", "wait 50 ×5", "report FFFF", "sent"},
     kSmallestTransfer},
    {"AnOlderClock",
     [](Bench &b) {
         b.PlugClock(Clock(kOlderClockProduct));
         b.Start();
         b.LogGeneration();
     },
     {"changed", "open hidraw3 ×2", "connected", "information older clock", "generation 3"},
     {}},
    {"TheOtherModel",
     [](Bench &b) {
         b.PlugClock(Clock(kOtherModelProduct));
         b.Start();
         b.LogGeneration();
     },
     {"changed", "open hidraw3 ×2", "connected", "warning other model", "generation 4"},
     {}},
    // The memory arrives through the reader thread within the read's window;
    // it starts at the first "E6".
    {"ReadBack",
     [](Bench &b) {
         b.PlugClock();
         b.Start();
         b.ReadMemory();
     },
     {"changed", "open hidraw3 ×2", "connected", "wait 50", "wait 5000", "memory E6 02 E7 FA"},
     {"hidraw3 245"}},
    {"UnpluggedDuringATransfer",
     [](Bench &b) {
         b.PlugClock();
         b.Start();
         b.DuringWait(3, [&b] { b.Unplug(); });
         b.Transfer();
         b.Look();
         b.Transfer();
     },
     {"changed", "open hidraw3 ×2", "connected", "wait 50 ×3", "clock removed", "lost", "not sent", "look", "changed",
      "not sent"},
     {"hidraw3 240", "hidraw3 230", "hidraw3 2"}},
    {"UnpluggedDuringAReadBack",
     [](Bench &b) {
         b.PlugClock();
         b.Start();
         b.DuringWait(2, [&b] { b.Unplug(); });
         b.ReadMemory();
     },
     {"changed", "open hidraw3 ×2", "connected", "wait 50", "wait 5000", "clock removed", "lost", "no memory"},
     {"hidraw3 245"}},
    // Back on the same node and port before the watch looked: the nodes look
    // unchanged, but the failed read has the next look enumerate afresh.
    {"ReplugWithinOneWatchInterval",
     [](Bench &b) {
         b.PlugClock();
         b.Start();
         b.machine.Unplug(kClockNode);
         b.PlugClock();
         b.backend.Settle();
         b.Look();
         b.Transfer();
     },
     {"changed", "open hidraw3 ×2", "connected", "clock removed", "lost", "look", "changed", "open hidraw3 ×2",
      "connected", "wait 50 ×5", "report FFFF", "sent"},
     kSmallestTransfer},
    // The watch looks before the failed read is handled.
    {"BackOnAnotherNodeSeenByTheWatch",
     [](Bench &b) {
         b.PlugClock();
         b.Start();
         b.machine.Unplug(kClockNode);
         b.PlugClock(Clock(), QStringLiteral("hidraw4"));
         b.Look();
     },
     {"changed", "open hidraw3 ×2", "connected", "look", "removed hidraw3", "clock removed", "lost", "changed",
      "open hidraw4 ×2", "connected"},
     {}},
    // The failed write counts as the clock gone; the next look finds it again.
    {"WritesRefused",
     [](Bench &b) {
         FakeHidDevice clock = Clock();
         clock.writesRefused = true;
         b.PlugClock(clock);
         b.Start();
         b.Transfer();
         b.Look();
     },
     {"changed", "open hidraw3 ×2", "connected", "wait 50", "clock removed", "lost", "not sent", "look", "changed",
      "open hidraw3 ×2", "connected"},
     {}},
    // A write not taken within 500 ms: the clock counts as gone, and the
    // blocked writer thread closes its handle once the write ends.
    {"TheClockStopsTakingReports",
     [](Bench &b) {
         b.PlugClock();
         b.Start();
         b.machine.Hid().SetWritesStalled(testing::DevicePath(kClockNode), true);
         b.Transfer();
         b.Unplug();
         b.Look();
     },
     {"changed", "open hidraw3 ×2", "connected", "wait 50", "wait 10 ×45", "clock removed", "lost", "not sent", "look",
      "changed"},
     {}},
    {"ADescriptorTheParserRefuses",
     [](Bench &b) {
         b.machine.Plug(kClockNode, kClockPort, Clock(), descriptor::kTruncated);
         b.Start();
         b.Transfer();
     },
     {"changed", "not sent"},
     {}},
    // Told once per plug-in, not at every device change; the commands still
    // fail as without a clock.
    {"AClockThisUserMayNotOpen",
     [](Bench &b) {
         b.PlugClock(DeniedClock());
         b.Start();
         b.Transfer();
         b.PlugKeyboard();
         b.Look();
         b.Unplug();
         b.Look();
         b.PlugClock(DeniedClock());
         b.Look();
         // The udev rule installed, the clock plugged in again.
         b.Unplug();
         b.Look();
         b.PlugClock();
         b.Look();
     },
     {"changed", "open hidraw3 denied", "warning no access", "not sent",
      "look", "changed", "open hidraw3 denied",
      "look", "removed hidraw3", "clock removed", "changed",
      "look", "changed", "open hidraw3 denied", "warning no access",
      "look", "removed hidraw3", "clock removed", "changed",
      "look", "changed", "open hidraw3 ×2", "connected"},
     {}},
    // With a clock that works the other does not matter; once it is gone,
    // the pupil learns why the other one is not taken.
    {"ADeniedClockBesideOneThatWorks",
     [](Bench &b) {
         b.PlugClock();
         b.PlugClock(DeniedClock(), QStringLiteral("hidraw4"), QStringLiteral("1-3"));
         b.Start();
         b.Unplug();
         b.Look();
     },
     {"changed", "open hidraw4 denied", "open hidraw3 ×2", "connected", "clock removed", "lost", "look", "changed",
      "open hidraw4 denied", "warning no access"},
     {}},
};

class ClockPathTest : public ::testing::TestWithParam<Scenario> {};

TEST_P(ClockPathTest, EventsInOrder)
{
    const Scenario &scenario = GetParam();
    Bench bench;
    scenario.run(bench);
    EXPECT_EQ(Compressed(bench.log), scenario.events);
    EXPECT_EQ(bench.machine.Hid().Written(), scenario.written);
}

INSTANTIATE_TEST_SUITE_P(HidapiPath, ClockPathTest, ::testing::ValuesIn(kScenarios),
                         [](const auto &info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kq
