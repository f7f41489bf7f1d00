#include "device/device_link.h"

#include "base/message_boxes.h"
#include "device/device_identity.h"
#include "device/device_messages.h"
#include "device/report_text.h"
#include "base/transfer_progress.h"
#include "base/waiter.h"
#include "model/device_generation.h"

#include <algorithm>

namespace kq {

namespace {
// One report every 50 ms: the pace the clock takes them at. A pause is cut
// by what the ones before overran, but never below 45 ms, so a list takes
// its items × 50 ms although every wait ends a little late.
constexpr int kPacingMs = 50;
constexpr int kShortestPauseMs = 45;
// The clock sends its whole memory within this time after the read command.
constexpr int kMemoryReadMs = 5000;
constexpr int kTenthMs = 100;
}  // namespace

DeviceLink::DeviceLink(HidBackend &backend, MessageBoxes &messages, Waiter &waiter, DeviceGeneration &generation,
                       QObject *parent)
    : QObject(parent), m_backend(backend), m_messages(messages), m_waiter(waiter), m_generation(generation)
{
    m_generation.Set(kCurrentGeneration);
    connect(&m_backend, &HidBackend::DevicesChanged, this, &DeviceLink::OnDevicesChanged);
    connect(&m_backend, &HidBackend::DeviceRemoved, this, &DeviceLink::OnDeviceRemoved);
}

DeviceLink::~DeviceLink()
{
    DropCurrentDevice();
}

void DeviceLink::Start()
{
    m_backend.StartWatching();
}

std::optional<HidDeviceInfo> DeviceLink::currentDevice() const
{
    if (!m_current)
        return std::nullopt;
    return m_currentInfo;
}

bool DeviceLink::isReceiving() const
{
    return m_current && m_current->isReading();
}

void DeviceLink::StartReceiving()
{
    if (!m_current || m_current->isReading())
        return;
    m_current->StartReading([this](const InputReport &report) { OnReport(report); },
                            // Reading has stopped; the next device change or
                            // StartReceiving starts it again.
                            [] {});
}

void DeviceLink::OnDevicesChanged()
{
    const QList<HidDeviceInfo> present = m_backend.Devices();
    m_devices.clear();
    QStringList warnings;
    QStringList notices;
    QList<HidDeviceInfo> clocks;
    for (const HidDeviceInfo &device : present) {
        m_devices.append({IdentificationText(device), DescriptionOf(device), device});
        if (device.product == kOtherModelProduct)
            warnings.append(kOtherModelWarning);
        if (IsClock(device)) {
            if (device.product == kOlderClockProduct)
                notices.append(kOlderClockNotice);
            clocks.append(device);
        }
    }

    // The last clock enumerated wins; one that cannot be opened (no access)
    // gives way to the one before it.
    const HidDeviceInfo *chosen = nullptr;
    std::unique_ptr<HidDevice> opened;
    for (auto clock = clocks.crbegin(); clock != clocks.crend(); ++clock) {
        if (m_current && *clock == m_currentInfo) {
            chosen = &*clock;
            break;
        }
        opened = m_backend.Open(*clock);
        if (opened) {
            chosen = &*clock;
            break;
        }
    }
    if (!chosen || opened) {
        DropCurrentDevice();
        if (opened) {
            m_current = std::move(opened);
            m_currentInfo = *chosen;
        }
    }
    if (!clocks.isEmpty()) {
        const HidDeviceInfo &generationSource = chosen ? *chosen : clocks.last();
        SetGeneration(generationSource.product == kOlderClockProduct ? kOlderGeneration : kCurrentGeneration);
    }
    if (m_current) {
        StartReceiving();
        emit ClockConnected();
    }

    // Shown once the state is settled: a message box runs its own event
    // loop, in which the next device change may already arrive.
    for (const QString &warning : warnings)
        m_messages.Warning(m_messageParent, warning);
    for (const QString &notice : notices)
        m_messages.Information(m_messageParent, notice);
}

void DeviceLink::OnDeviceRemoved(const HidDeviceInfo &device)
{
    if (m_current && device == m_currentInfo)
        DropCurrentDevice();
    if (IsClock(device))
        emit ClockRemoved();
}

void DeviceLink::OnReport(const InputReport &report)
{
    m_router.Route(ReceivedText(report.data));
}

void DeviceLink::DropCurrentDevice()
{
    if (!m_current)
        return;
    m_current->StopReading();
    m_current.reset();
    m_currentInfo = HidDeviceInfo();
}

void DeviceLink::SetGeneration(int generation)
{
    if (m_generation.Value() == generation)
        return;
    m_generation.Set(generation);
    emit GenerationChanged(generation);
}

bool DeviceLink::SendList(const ByteList &items)
{
    if (!m_current || !AreByteValues(items))
        return false;
    Waiter &waiter = m_waiter;
    bool everyItemSent = true;
    if (m_progress)
        m_progress->SetProgress(0);
    qint64 schedule = waiter.Now();
    for (qsizetype i = 0; i < items.size(); ++i) {
        // The clock may go while we wait: events, device changes included,
        // are processed during the pause.
        if (m_current)
            m_current->WriteReport(OutputReport(items[i], m_current->outputReportLength()));
        else
            everyItemSent = false;
        const qint64 now = waiter.Now();
        schedule += kPacingMs;
        // More than a whole pause behind (a message box held the loop):
        // the schedule starts afresh.
        if (schedule < now)
            schedule = now + kPacingMs;
        waiter.WaitProcessing(int(std::clamp<qint64>(schedule - now, kShortestPauseMs, kPacingMs)));
        if (m_progress)
            m_progress->SetProgress(ProgressAfter(int(i + 1), int(items.size())));
    }
    return everyItemSent && m_current;
}

bool DeviceLink::SendShowingProgress(const ByteList &items, const QWidget *caller)
{
    if (!m_current)
        return false;
    if (m_progress)
        m_progress->ShowCentredOver(caller);
    const bool sent = SendList(items);
    if (m_progress)
        m_progress->HideProgress();
    return sent;
}

bool DeviceLink::TransferProgram(const ByteList &programBytes, const QWidget *caller)
{
    return SendShowingProgress(FrameTransfer(programBytes), caller);
}

bool DeviceLink::TransferMelody(const ByteList &melodyBytes, const QWidget *caller)
{
    return SendShowingProgress(MelodyTransferItems(melodyBytes), caller);
}

bool DeviceLink::SetClock(const ClockSetting &setting, const QWidget *caller)
{
    return SendShowingProgress(ClockSettingItems(setting), caller);
}

bool DeviceLink::RunProgram()
{
    return SendList({command::kRunProgram});
}

bool DeviceLink::RunMelody()
{
    return SendList({command::kRunMelody});
}

bool DeviceLink::ReadTemperature()
{
    return SendList({command::kReadTemperature});
}

bool DeviceLink::ReadMemory()
{
    StartReceiving();
    return SendList({command::kReadMemory});
}

bool DeviceLink::StopProgram()
{
    StartReceiving();
    return SendList({command::kStopProgram});
}

bool DeviceLink::DirectCommand(DirectCode code)
{
    return SendList({int(code)});
}

bool DeviceLink::TimedTrain(TrainDirection direction, int tenths)
{
    const DirectCode drive = direction == TrainDirection::Forward ? DirectCode::TrainForward : DirectCode::TrainBackward;
    if (!DirectCommand(drive))
        return false;
    m_waiter.WaitProcessing(tenths * kTenthMs);
    return DirectCommand(DirectCode::TrainGradualStop);
}

bool DeviceLink::ReadMemoryInto(QStringList &buffer)
{
    buffer.clear();
    if (!ReadMemory())
        return false;
    m_waiter.WaitProcessing(kMemoryReadMs);
    DropToMemoryStart(buffer);
    return true;
}

DeviceLink::TemperatureReading DeviceLink::ReadTemperatureInto(QStringList &log)
{
    log.clear();
    TemperatureReading reading;
    reading.sent = ReadTemperature();
    if (reading.sent && !log.isEmpty())
        reading.raw = LowByteFirstValue(log.first());
    return reading;
}

}  // namespace kq
