#pragma once

#include "device/device_commands.h"
#include "device/hid_backend.h"
#include "device/report_router.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QWidget;

namespace kq {

class DeviceGeneration;
class MessageBoxes;
class ProgressDisplay;
class Waiter;

// The studio's connection to the clock: the HID devices present, the clock
// among them and its generation, the commands with their 50 ms pacing, and
// the routing of the clock's reports to the window waiting for them. Lives
// on the user-interface thread; reports are handed to it there.
//
// One send at a time: window events go on during the pacing, so a command
// can be given while another is being sent. It waits its turn and is sent
// after the one before has ended, never in the middle of it. A send is bound
// to the clock present when it was given: when that clock goes, the send
// fails, and a clock plugged in meanwhile receives nothing of it.
class DeviceLink final : public QObject {
    Q_OBJECT

public:
    struct ListedDevice {
        QString identification;  // "21CF 0002"
        QString description;
        HidDeviceInfo device;
    };

    struct TemperatureReading {
        enum class Result {
            NoClock,      // nothing was sent: no clock, or it went
            NothingCame,  // sent, but no readable reply
            Received,
        };
        Result result = Result::NoClock;
        int hundredths = 0;  // the value, when Received
    };

    // A write the clock has not taken after this long means it stopped
    // taking reports: the send fails and the clock counts as gone.
    static constexpr int kStalledWriteMs = 500;

    // Sets the generation to the current one; Start() looks for the clock.
    // messages shows what the pupil must know about the clocks found.
    DeviceLink(HidBackend &backend, MessageBoxes &messages, Waiter &waiter, DeviceGeneration &generation,
               QObject *parent = nullptr);
    ~DeviceLink() override;

    // Looks at the devices present now and from then on at every change.
    void Start();

    // The owner of the two messages about the clock found.
    void SetMessageParent(QWidget *parent) { m_messageParent = parent; }
    // Shown while a program, a melody or the clock setting is sent.
    void SetProgressDisplay(ProgressDisplay *display) { m_progress = display; }

    const QList<ListedDevice> &Devices() const { return m_devices; }
    bool IsConnected() const { return m_current != nullptr; }
    std::optional<HidDeviceInfo> CurrentDevice() const;
    bool IsReceiving() const;
    // Hands the clock's reports to the receivers.
    void StartReceiving();

    // Windows register while they exist; the first by priority sees each
    // report, every one learns that the clock went.
    void RegisterReceiver(ReceiverRole role, ReportReceiver *receiver) { m_router.Register(role, receiver); }
    void UnregisterReceiver(ReportReceiver *receiver) { m_router.Unregister(receiver); }

    // One output report per item, 50 ms apart. False at once without a clock
    // or with an item that is no byte value; false as well when a write
    // fails or the clock goes before every item was taken.
    [[nodiscard]] bool SendList(const ByteList &items);

    // Sent with the progress window centred over caller.
    [[nodiscard]] bool TransferProgram(const ByteList &programBytes, const QWidget *caller);
    [[nodiscard]] bool TransferMelody(const ByteList &melodyBytes, const QWidget *caller);
    [[nodiscard]] bool SetClock(const ClockSetting &setting, const QWidget *caller);

    [[nodiscard]] bool RunProgram();
    [[nodiscard]] bool RunMelody();
    [[nodiscard]] bool StopProgram();
    [[nodiscard]] bool DirectCommand(DirectCode code);
    // Drives the train, waits tenths × 100 ms, then lets it stop gradually.
    [[nodiscard]] bool TimedTrain(TrainDirection direction, int tenths);

    // The read-back: asks for the memory and takes every report of the next
    // five seconds, one memory byte each ("E6"), from address 0 on (empty
    // when none was address 0). nullopt without a clock or when it went
    // during the read.
    [[nodiscard]] std::optional<QStringList> ReadMemory();

    // Asks for the temperature and takes the first report after the request
    // as its reply.
    [[nodiscard]] TemperatureReading ReadTemperature();

signals:
    // For the flowchart window's connection label.
    void ClockConnected();
    void ClockRemoved();

private:
    struct Send;
    struct DeviceMessage {
        bool isWarning;
        QString text;
    };

    void OnDevicesChanged();
    void OnDeviceRemoved(const HidDeviceInfo &device);
    void OnReport(const InputReport &report);
    // A handle of the clock failed: it counts as pulled out, and the
    // devices are enumerated again, as it may be back already.
    void OnHandleFailed();
    void ShowDeviceMessages(QList<DeviceMessage> messages);
    // Whether to tell that a clock is there but may not be opened: for a
    // denied clock not told about since it was plugged in, while no clock
    // is connected.
    bool TellOfDeniedClocks(const QList<HidDeviceInfo> &present, const QList<HidDeviceInfo> &denied);
    // Closes the clock's handle and fails the sends given for it; false
    // when there was none. AnnounceLoss afterwards, once the state is
    // settled: the listeners may run nested event loops.
    bool DropCurrentDevice();
    void AnnounceLoss();

    bool SendShowingProgress(const ByteList &items, const QWidget *caller);
    bool Perform(const std::shared_ptr<Send> &send);
    void Step();
    void EndFirstSend(bool succeeded);
    bool IsClockOf(const Send &send) const;

    HidBackend &m_backend;
    MessageBoxes &m_messages;
    Waiter &m_waiter;
    DeviceGeneration &m_generation;
    QWidget *m_messageParent = nullptr;
    ProgressDisplay *m_progress = nullptr;
    QList<ListedDevice> m_devices;
    std::unique_ptr<HidDevice> m_current;
    HidDeviceInfo m_currentInfo;
    // Counts the devices opened, so a send knows the clock it was given for.
    quint64 m_connection = 0;
    ReportRouter m_router;

    // The sends given and not yet ended; the first is under way.
    QList<std::shared_ptr<Send>> m_sends;
    qint64 m_schedule = 0;        // when the next item is due
    qint64 m_nextWriteAt = 0;     // no item before this: the last one's pause
    bool m_unconfirmed = false;   // the last write may not have ended yet
    qint64 m_writeBegunAt = 0;

    // The clocks present that may not be opened and were told about.
    QList<HidDeviceInfo> m_deniedTold;

    // A message box is open: the messages of later device changes wait, the
    // latest change's replacing those before.
    bool m_showingMessage = false;
    QList<DeviceMessage> m_pendingMessages;
};

}  // namespace kq
