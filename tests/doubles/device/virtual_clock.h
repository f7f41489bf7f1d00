#pragma once

#include "device/device_commands.h"
#include "device/hid_backend.h"
#include "preview/preview_interpreter.h"

#include <QByteArray>
#include <QList>

#include <map>
#include <memory>
#include <optional>

// An in-process clock for the tests and the snapshot program: a HID backend
// whose one clock (21CF 0002) can be plugged and unplugged at any moment,
// records every output report it receives and answers as the clock does.
// Answers are queued to the user-interface thread's event loop, so they
// arrive during the next wait, as the real clock's do.
namespace kq {

class VirtualClockDevice;

class VirtualClock final : public HidBackend {
    Q_OBJECT

public:
    // Memory as the read command returns it: the program from address 0,
    // the melody from address 128, each followed by 250; 0xFF elsewhere.
    static constexpr int kMemorySize = 256;
    static constexpr int kMelodyAddress = 128;

    explicit VirtualClock(QObject *parent = nullptr);
    ~VirtualClock() override;

    QList<HidDeviceInfo> Devices() override;
    OpenedDevice Open(const HidDeviceInfo &device) override;
    void StartWatching() override;
    // Announces the devices as changed at the next look (a queued call).
    void Rescan(const HidDeviceInfo &device) override;

    // -- The clock as a device.
    HidDeviceInfo Info() const;
    // "TL-6" for a clock of 2016 or earlier, "TL-2" for the other model.
    void SetProduct(const QString &product) { m_product = product; }
    void SetSerial(const QString &serial) { m_serial = serial; }
    void SetOutputReportLength(int length) { m_outputLength = length; }
    bool IsPlugged() const { return m_plugged; }
    // Both notify at once, as the watcher would a moment later.
    void Plug();
    void Unplug();
    // Pulled out and plugged in again between two looks of the watcher: no
    // notification, the device list looks the same, and the handles opened
    // before are dead (their writes fail).
    void ReplugUnnoticed();
    void SetWritesFail(bool fail) { m_writesFail = fail; }
    // The clock stops taking reports: a write begun from now on never ends.
    void SetStalled(bool stalled) { m_stalled = stalled; }
    // Every reading handle gets a read error and stops reading.
    void FailReading();

    // Devices enumerated besides the clock; an openable one takes writes
    // and never answers.
    void AddOtherDevice(const HidDeviceInfo &device, bool afterClock, bool openable = false);
    void RemoveOtherDevice(const QString &path);
    QList<QByteArray> OtherDeviceReports(const QString &path) const;

    // -- What the clock received.
    const QList<QByteArray> &OutputReports() const { return m_reports; }
    // The value each report carried (its first data byte).
    ByteList Items() const;
    void ClearRecord() { m_reports.clear(); }

    // -- Its state and what it answers with.
    const ByteList &Memory() const { return m_memory; }
    void WriteMemory(int address, const ByteList &bytes);
    std::optional<ClockSetting> ReceivedClockSetting() const { return m_clockSetting; }
    void SetTemperature(int hundredths) { m_temperature = hundredths; }
    void SetBrightness(int brightness) { m_brightness = brightness; }
    // Reports sent after the read command before the memory itself.
    void SetMemoryDumpLead(const QList<QByteArray> &reports) { m_dumpLead = reports; }
    // Addresses reported ("11" and the address) when a program starts.
    void SetRunTrace(const QList<int> &addresses) { m_runTrace = addresses; }
    // Off: a run goes on until FinishRun or the stop command.
    void SetRunsFinishAtOnce(bool atOnce) { m_runsFinishAtOnce = atOnce; }
    bool IsRunning() const { return m_running; }

    // On: the run command executes the stored program in virtual time,
    // reporting every executed address, instead of the scripted trace. A
    // run pauses on a wait until DeliverWaitEvent brings its event.
    void SetExecutesPrograms(bool executes) { m_executesPrograms = executes; }
    void SetSwitchPressed(bool pressed) { m_sensors.switchPressed = pressed; }
    void SetBright(bool bright) { m_sensors.bright = bright; }
    // The wait a run is paused on, "1".."9"; 0 for none.
    int WaitingFor() const;
    // The events of the preview's wait buttons 1..7; false when the run
    // waits for another (or for nothing).
    bool DeliverWaitEvent(int button);
    // Virtual milliseconds the running program has taken so far.
    qint64 RunTime() const { return m_runTime; }

    // Reports the clock sends on its own.
    void SendStatusGroup();
    void SendExecutedAddress(int address);
    void FinishRun();
    void SendRawReport(const QByteArray &data);

private:
    friend class VirtualClockDevice;

    enum class Mode { Idle, Program, Melody, ClockSetting };

    struct OtherDevice {
        HidDeviceInfo info;
        bool afterClock;
        bool openable;
    };

    void Receive(const QByteArray &report);
    void HandleItem(int item);
    void HandleCommand(int item);
    void StoreArea(int address, int areaSize, const ByteList &bytes);
    void Send(const QByteArray &data);
    void SendValue(int value);
    void StartProgram();
    void ContinueProgram();

    // The program's view of the clock: its sensors, and its reports.
    class ProgramHost final : public PreviewHost {
    public:
        explicit ProgramHost(VirtualClock &clock) : m_clock(clock) {}
        bool SwitchPressed() const override { return m_clock.m_sensors.switchPressed; }
        bool Bright() const override { return m_clock.m_sensors.bright; }
        int Temperature() const override { return qRound(m_clock.m_temperature / 100.0); }
        void DrawLamp(Rgb, int) override {}
        void ClearLamp() override {}
        void ShowBacklight(BacklightPicture) override {}
        void ShowSoundPicture(SoundPicture) override {}
        void InstructionStarted(int address, int) override { m_clock.SendExecutedAddress(address); }

    private:
        VirtualClock &m_clock;
    };

    struct Sensors {
        bool switchPressed = false;
        bool bright = true;
    };

    QString m_product;
    QString m_serial;
    int m_outputLength = 9;
    bool m_plugged = true;
    // Counts the times the clock was plugged in: a handle works only while
    // the clock is plugged in as it was when the handle was opened.
    int m_plugCount = 0;
    bool m_stalled = false;
    bool m_watching = false;
    bool m_writesFail = false;
    QList<OtherDevice> m_others;
    std::map<QString, QList<QByteArray>> m_otherReports;
    QList<VirtualClockDevice *> m_open;

    QList<QByteArray> m_reports;
    Mode m_mode = Mode::Idle;
    ByteList m_collected;
    ByteList m_memory;
    std::optional<ClockSetting> m_clockSetting;
    int m_temperature = 2500;
    int m_brightness = 0;
    QList<QByteArray> m_dumpLead;
    QList<int> m_runTrace;
    bool m_runsFinishAtOnce = true;
    bool m_running = false;
    bool m_executesPrograms = false;
    Sensors m_sensors;
    ProgramHost m_programHost{*this};
    std::unique_ptr<PreviewInterpreter> m_program;
    qint64 m_runTime = 0;
};

}  // namespace kq
