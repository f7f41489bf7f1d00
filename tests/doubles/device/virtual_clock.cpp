#include "device/virtual_clock.h"

#include "device/device_identity.h"

#include <QMetaObject>
#include <QObject>

namespace kq {

namespace {

const QString kClockPath = QStringLiteral("virtual:clock");
constexpr int kInputReportLength = 3;  // report ID and two data bytes
constexpr int kSettingValues = 8;
constexpr quint8 kAddressReportCode = 0x11;
constexpr quint8 kUnwrittenByte = 0xFF;

// The data bytes of one report of the clock.
QByteArray ReportData(int first, int second)
{
    QByteArray data;
    data.append(char(first));
    data.append(char(second));
    return data;
}

// An openable device other than the clock: takes writes, never answers.
class SilentDevice final : public HidDevice {
public:
    explicit SilentDevice(QList<QByteArray> &record) : m_record(record) {}
    int OutputReportLength() const override { return kInputReportLength; }
    int InputReportLength() const override { return kInputReportLength; }
    void BeginWrite(const QByteArray &report) override { m_record.append(report); }
    WriteStatus LastWrite() const override { return WriteStatus::Written; }
    void StartReading(ReportHandler, ErrorHandler) override { m_reading = true; }
    void StopReading() override { m_reading = false; }
    bool IsReading() const override { return m_reading; }

private:
    QList<QByteArray> &m_record;
    bool m_reading = false;
};

}  // namespace

// The clock opened: writes reach the clock while it is plugged in as it was
// at the opening, and its answers are delivered through this object's event
// queue, so none arrives after the handle is gone.
class VirtualClockDevice final : public QObject, public HidDevice {
public:
    explicit VirtualClockDevice(VirtualClock &clock) : m_clock(&clock), m_plugCount(clock.m_plugCount)
    {
        m_clock->m_open.append(this);
    }
    ~VirtualClockDevice() override
    {
        if (m_clock)
            m_clock->m_open.removeAll(this);
    }

    int OutputReportLength() const override { return m_clock ? m_clock->m_outputLength : 0; }
    int InputReportLength() const override { return kInputReportLength; }

    void BeginWrite(const QByteArray &report) override
    {
        if (!IsAlive() || m_clock->m_writesFail) {
            m_lastWrite = WriteStatus::Failed;
        } else if (m_clock->m_stalled) {
            m_lastWrite = WriteStatus::Pending;
        } else {
            m_clock->Receive(report);
            m_lastWrite = WriteStatus::Written;
        }
    }
    WriteStatus LastWrite() const override { return m_lastWrite; }

    void StartReading(ReportHandler onReport, ErrorHandler onError) override
    {
        if (m_reading)
            return;
        m_reading = true;
        m_onReport = std::move(onReport);
        m_onError = std::move(onError);
    }
    void StopReading() override { m_reading = false; }
    bool IsReading() const override { return m_reading; }

    void Post(const QByteArray &data)
    {
        if (!IsAlive())
            return;
        QMetaObject::invokeMethod(
            this,
            [this, data] {
                if (!m_reading || !IsAlive())
                    return;
                // The handler may drop this handle (a window's nested event
                // loop in which the clock goes): it runs from a copy.
                const ReportHandler handler = m_onReport;
                handler({0, data});
            },
            Qt::QueuedConnection);
    }

    void PostReadError()
    {
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!m_reading)
                    return;
                m_reading = false;
                const ErrorHandler handler = m_onError;
                handler();
            },
            Qt::QueuedConnection);
    }

    void Detach() { m_clock = nullptr; }

private:
    bool IsAlive() const { return m_clock && m_clock->m_plugged && m_clock->m_plugCount == m_plugCount; }

    VirtualClock *m_clock;
    int m_plugCount;
    WriteStatus m_lastWrite = WriteStatus::Written;
    bool m_reading = false;
    ReportHandler m_onReport;
    ErrorHandler m_onError;
};

VirtualClock::VirtualClock(QObject *parent) : HidBackend(parent), m_memory(kMemorySize, kUnwrittenByte) {}

VirtualClock::~VirtualClock()
{
    for (VirtualClockDevice *device : m_open)
        device->Detach();
}

HidDeviceInfo VirtualClock::Info() const
{
    return {kClockVendorId, kClockProductId, m_product, m_serial, kClockPath};
}

QList<HidDeviceInfo> VirtualClock::Devices()
{
    QList<HidDeviceInfo> devices;
    for (const OtherDevice &other : m_others) {
        if (!other.afterClock)
            devices.append(other.info);
    }
    if (m_plugged)
        devices.append(Info());
    for (const OtherDevice &other : m_others) {
        if (other.afterClock)
            devices.append(other.info);
    }
    return devices;
}

OpenedDevice VirtualClock::Open(const HidDeviceInfo &device)
{
    if (m_plugged && device == Info())
        return {std::make_unique<VirtualClockDevice>(*this)};
    for (const OtherDevice &other : m_others) {
        if (other.info == device && other.openable)
            return {std::make_unique<SilentDevice>(m_otherReports[other.info.path])};
    }
    return {};
}

void VirtualClock::StartWatching()
{
    m_watching = true;
    emit DevicesChanged();
}

void VirtualClock::Rescan(const HidDeviceInfo &)
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_watching)
                emit DevicesChanged();
        },
        Qt::QueuedConnection);
}

void VirtualClock::Plug()
{
    if (m_plugged)
        return;
    m_plugged = true;
    ++m_plugCount;
    m_running = false;
    m_mode = Mode::Idle;
    if (m_watching)
        emit DevicesChanged();
}

void VirtualClock::Unplug()
{
    if (!m_plugged)
        return;
    const HidDeviceInfo gone = Info();
    m_plugged = false;
    if (m_watching) {
        emit DeviceRemoved(gone);
        emit DevicesChanged();
    }
}

void VirtualClock::ReplugUnnoticed()
{
    ++m_plugCount;
    m_running = false;
    m_mode = Mode::Idle;
}

void VirtualClock::FailReading()
{
    for (VirtualClockDevice *device : m_open)
        device->PostReadError();
}

void VirtualClock::AddOtherDevice(const HidDeviceInfo &device, bool afterClock, bool openable)
{
    m_others.append({device, afterClock, openable});
    if (m_watching)
        emit DevicesChanged();
}

void VirtualClock::RemoveOtherDevice(const QString &path)
{
    for (qsizetype i = 0; i < m_others.size(); ++i) {
        if (m_others[i].info.path != path)
            continue;
        const HidDeviceInfo gone = m_others.takeAt(i).info;
        if (m_watching) {
            emit DeviceRemoved(gone);
            emit DevicesChanged();
        }
        return;
    }
}

QList<QByteArray> VirtualClock::OtherDeviceReports(const QString &path) const
{
    const auto found = m_otherReports.find(path);
    return found == m_otherReports.end() ? QList<QByteArray>() : found->second;
}

ByteList VirtualClock::Items() const
{
    ByteList values;
    for (const QByteArray &report : m_reports)
        values.append(report.size() > 1 ? quint8(report[1]) : -1);
    return values;
}

void VirtualClock::WriteMemory(int address, const ByteList &bytes)
{
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (address + i >= 0 && address + i < kMemorySize)
            m_memory[address + i] = bytes[i] & 0xFF;
    }
}

void VirtualClock::Receive(const QByteArray &report)
{
    m_reports.append(report);
    if (report.size() > 1)
        HandleItem(quint8(report[1]));
}

void VirtualClock::HandleItem(int item)
{
    switch (m_mode) {
    case Mode::Idle:
        HandleCommand(item);
        return;
    case Mode::Program:
    case Mode::Melody:
        if (item != command::kTransferEnd) {
            m_collected.append(item);
            return;
        }
        if (m_mode == Mode::Program)
            StoreArea(0, kMelodyAddress, m_collected);
        else
            StoreArea(kMelodyAddress, kMemorySize - kMelodyAddress, m_collected);
        m_mode = Mode::Idle;
        Send(ReportData(0xFF, 0xFF));
        return;
    case Mode::ClockSetting:
        m_collected.append(item);
        if (m_collected.size() < kSettingValues)
            return;
        m_clockSetting = ClockSetting{2000 + m_collected[0], m_collected[1], m_collected[2], m_collected[3],
                                      m_collected[4],        m_collected[5] != 0, m_collected[6], m_collected[7]};
        m_mode = Mode::Idle;
        return;
    }
}

void VirtualClock::HandleCommand(int item)
{
    m_collected.clear();
    switch (item) {
    case command::kTransferProgram: m_mode = Mode::Program; return;
    case command::kTransferMelody: m_mode = Mode::Melody; return;
    case command::kSetClock: m_mode = Mode::ClockSetting; return;
    case command::kRunProgram:
    case command::kRunMelody:
        m_running = true;
        if (item == command::kRunProgram && m_executesPrograms) {
            StartProgram();
            return;
        }
        if (item == command::kRunProgram) {
            for (int address : m_runTrace)
                SendExecutedAddress(address);
        }
        if (m_runsFinishAtOnce)
            FinishRun();
        return;
    case command::kStopProgram:
        m_program.reset();
        if (m_running)
            FinishRun();
        return;
    case command::kReadTemperature: SendValue(m_temperature); return;
    case command::kReadMemory:
        for (const QByteArray &report : m_dumpLead)
            Send(report);
        for (int byte : m_memory)
            Send(ReportData(0, byte));
        return;
    default:
        // The instructions sent on their own (motor, lamp, train) need no
        // answer; they stay in the record.
        return;
    }
}

void VirtualClock::StoreArea(int address, int areaSize, const ByteList &bytes)
{
    for (int i = 0; i < areaSize; ++i)
        m_memory[address + i] = kUnwrittenByte;
    const int stored = int(qMin<qsizetype>(bytes.size(), areaSize));
    for (int i = 0; i < stored; ++i)
        m_memory[address + i] = bytes[i];
    if (stored < areaSize)
        m_memory[address + stored] = command::kTransferEnd;
}

void VirtualClock::StartProgram()
{
    m_program = std::make_unique<PreviewInterpreter>(m_memory.mid(0, kMelodyAddress), m_programHost);
    m_program->Reset();
    m_runTime = 0;
    ContinueProgram();
}

void VirtualClock::ContinueProgram()
{
    // A program that loops for ever without a wait keeps running silently
    // after this many steps, until the stop command.
    constexpr int kStepLimit = 100000;
    for (int steps = 0; steps < kStepLimit; ++steps) {
        const StepResult step = m_program->Step();
        switch (step.outcome) {
        case StepOutcome::Continue:
            m_runTime += step.milliseconds;
            continue;
        case StepOutcome::Paused:
            return;
        case StepOutcome::Ended:
        case StepOutcome::Stopped:
        case StepOutcome::Broken:
            // The clock stops at its end mark as at its end code.
            m_program.reset();
            FinishRun();
            return;
        }
    }
}

int VirtualClock::WaitingFor() const
{
    return m_program ? m_program->WaitingFor() : 0;
}

bool VirtualClock::DeliverWaitEvent(int button)
{
    if (!m_program || !m_program->PressWaitButton(button))
        return false;
    ContinueProgram();
    return true;
}

void VirtualClock::SendStatusGroup()
{
    Send(ReportData(0, 0));
    SendValue(m_temperature);
    SendValue(m_brightness);
}

void VirtualClock::SendExecutedAddress(int address)
{
    Send(ReportData(kAddressReportCode, address));
}

void VirtualClock::FinishRun()
{
    m_running = false;
    Send(ReportData(0xFF, 0xFF));
}

void VirtualClock::SendRawReport(const QByteArray &data)
{
    Send(data);
}

void VirtualClock::Send(const QByteArray &data)
{
    if (!m_plugged)
        return;
    for (VirtualClockDevice *device : m_open)
        device->Post(data);
}

void VirtualClock::SendValue(int value)
{
    // Low byte first.
    Send(ReportData(value & 0xFF, (value >> 8) & 0xFF));
}

}  // namespace kq
