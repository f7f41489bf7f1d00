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
class DeviceLink final : public QObject {
    Q_OBJECT

public:
    struct ListedDevice {
        QString identification;  // "21CF 0002"
        QString description;
        HidDeviceInfo device;
    };

    struct TemperatureReading {
        bool sent = false;             // false: no clock, nothing was sent
        std::optional<int> raw;        // hundredths of a degree; nullopt without a readable reply
    };

    // Sets the generation to the current one; Start() looks for the clock.
    // messages shows what the pupil must know about the clocks found.
    DeviceLink(HidBackend &backend, MessageBoxes &messages, Waiter &waiter, DeviceGeneration &generation,
               QObject *parent = nullptr);
    ~DeviceLink() override;

    // Looks at the devices present now and from then on at every change.
    void Start();

    // The owner of the two messages about the clock found.
    void setMessageParent(QWidget *parent) { m_messageParent = parent; }
    // Shown while a program, a melody or the clock setting is sent.
    void setProgressDisplay(ProgressDisplay *display) { m_progress = display; }

    const QList<ListedDevice> &devices() const { return m_devices; }
    bool IsConnected() const { return m_current != nullptr; }
    std::optional<HidDeviceInfo> currentDevice() const;
    bool isReceiving() const;
    // Hands the clock's reports to the receivers; restarts reading after a
    // read error.
    void StartReceiving();

    // Windows register while they exist; the first by priority sees each
    // report.
    void RegisterReceiver(ReceiverRole role, ReportReceiver *receiver) { m_router.Register(role, receiver); }
    void UnregisterReceiver(ReportReceiver *receiver) { m_router.Unregister(receiver); }

    // One output report per item, 50 ms apart, moving the progress bar.
    // False at once without a clock or with an item that is no byte value;
    // a failed write is skipped. False as well when the clock went away
    // during the send, so no item was lost unnoticed.
    bool SendList(const ByteList &items);

    // Sent with the progress window centred over caller.
    bool TransferProgram(const ByteList &programBytes, const QWidget *caller);
    bool TransferMelody(const ByteList &melodyBytes, const QWidget *caller);
    bool SetClock(const ClockSetting &setting, const QWidget *caller);

    bool RunProgram();
    bool RunMelody();
    bool ReadTemperature();
    bool ReadMemory();
    bool StopProgram();
    bool DirectCommand(DirectCode code);
    // Drives the train, waits tenths × 100 ms, then lets it stop gradually.
    bool TimedTrain(TrainDirection direction, int tenths);

    // The read-back: empties buffer, asks for the memory and lets the
    // registered window fill buffer for five seconds, then drops the lines
    // before address 0. False without a clock.
    bool ReadMemoryInto(QStringList &buffer);

    // Empties log, asks for the temperature and reads the reply the
    // registered window appended to log.
    TemperatureReading ReadTemperatureInto(QStringList &log);

signals:
    // For the flowchart window's connection label.
    void ClockConnected();
    void ClockRemoved();
    // The flowchart window refreshes what depends on the generation.
    void GenerationChanged(int generation);

private:
    void OnDevicesChanged();
    void OnDeviceRemoved(const HidDeviceInfo &device);
    void OnReport(const InputReport &report);
    void DropCurrentDevice();
    void SetGeneration(int generation);
    bool SendShowingProgress(const ByteList &items, const QWidget *caller);

    HidBackend &m_backend;
    MessageBoxes &m_messages;
    Waiter &m_waiter;
    DeviceGeneration &m_generation;
    QWidget *m_messageParent = nullptr;
    ProgressDisplay *m_progress = nullptr;
    QList<ListedDevice> m_devices;
    std::unique_ptr<HidDevice> m_current;
    HidDeviceInfo m_currentInfo;
    ReportRouter m_router;
};

}  // namespace kq
