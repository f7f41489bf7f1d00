#include "device/device_link.h"

#include "base/message_boxes.h"
#include "base/transfer_progress.h"
#include "base/waiter.h"
#include "device/device_identity.h"
#include "device/device_messages.h"
#include "device/report_text.h"
#include "model/device_generation.h"

#include <algorithm>
#include <utility>

namespace kq {

namespace {
// One report every 50 ms: the pace the clock takes them at. A pause is cut
// by what the ones before overran, but never below 45 ms, so a list takes
// its items × 50 ms although every wait ends a little late.
constexpr int kPacingMs = 50;
constexpr int kShortestPauseMs = 45;
// How often a write the clock has not taken yet is looked at again.
constexpr int kWriteCheckMs = 10;
// The clock sends its whole memory within this time after the read command.
constexpr int kMemoryReadMs = 5000;
constexpr int kTenthMs = 100;
}  // namespace

// One command given: its items, and what it takes of the clock's reports.
struct DeviceLink::Send {
    enum class Replies { None, First, All };

    ByteList items;
    bool showsProgress = false;
    Replies replies = Replies::None;
    int replyWindowMs = 0;  // waited after the last item's pause

    quint64 connection = 0;  // the clock it was given for
    bool started = false;
    qsizetype written = 0;
    int taken = 0;  // items the clock took
    bool windowWaited = false;
    QStringList replyTexts;
    std::optional<bool> result;  // set when it ended
};

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

std::optional<HidDeviceInfo> DeviceLink::CurrentDevice() const
{
    if (!m_current)
        return std::nullopt;
    return m_currentInfo;
}

bool DeviceLink::IsReceiving() const
{
    return m_current && m_current->IsReading();
}

void DeviceLink::StartReceiving()
{
    if (!m_current || m_current->IsReading())
        return;
    m_current->StartReading([this](const InputReport &report) { OnReport(report); }, [this] { OnHandleFailed(); });
}

void DeviceLink::OnDevicesChanged()
{
    const QList<HidDeviceInfo> present = m_backend.Devices();
    m_devices.clear();
    QList<DeviceMessage> messages;
    QList<HidDeviceInfo> clocks;
    for (const HidDeviceInfo &device : present) {
        m_devices.append({IdentificationText(device), DescriptionOf(device), device});
        if (device.product == kOtherModelProduct)
            messages.append({true, kOtherModelWarning});
        if (IsClock(device)) {
            if (device.product == kOlderClockProduct)
                messages.append({false, kOlderClockNotice});
            clocks.append(device);
        }
    }

    // The last clock enumerated wins; one that cannot be opened (no access)
    // gives way to the one before it.
    std::optional<HidDeviceInfo> chosen;
    std::unique_ptr<HidDevice> opened;
    QList<HidDeviceInfo> denied;
    for (auto clock = clocks.crbegin(); clock != clocks.crend(); ++clock) {
        if (m_current && *clock == m_currentInfo) {
            chosen = *clock;
            break;
        }
        OpenedDevice attempt = m_backend.Open(*clock);
        if (attempt.device) {
            opened = std::move(attempt.device);
            chosen = *clock;
            break;
        }
        if (attempt.accessDenied)
            denied.append(*clock);
    }
    bool lost = false;
    if (!chosen || opened) {
        lost = DropCurrentDevice();
        if (opened) {
            m_current = std::move(opened);
            m_currentInfo = *chosen;
            ++m_connection;
        }
    }
    if (!clocks.isEmpty()) {
        const HidDeviceInfo &generationSource = chosen ? *chosen : clocks.last();
        m_generation.Set(generationSource.product == kOlderClockProduct ? kOlderGeneration : kCurrentGeneration);
    }
    StartReceiving();

    // Told once the state is settled: a listener or a message box may run
    // its own event loop, in which the next device change may arrive.
    if (lost)
        AnnounceLoss();
    if (m_current)
        emit ClockConnected();
    if (TellOfDeniedClocks(present, denied))
        messages.append({true, kClockNotAccessibleWarning});
    ShowDeviceMessages(messages);
}

bool DeviceLink::TellOfDeniedClocks(const QList<HidDeviceInfo> &present, const QList<HidDeviceInfo> &denied)
{
    // Once per plug-in: a clock told about is not told about again until it
    // has left the device list.
    m_deniedTold.removeIf([&present](const HidDeviceInfo &clock) { return !present.contains(clock); });
    // A clock that works makes the one that does not no matter.
    if (m_current)
        return false;
    bool tell = false;
    for (const HidDeviceInfo &clock : denied) {
        if (!m_deniedTold.contains(clock)) {
            m_deniedTold.append(clock);
            tell = true;
        }
    }
    return tell;
}

void DeviceLink::ShowDeviceMessages(QList<DeviceMessage> messages)
{
    // One box at a time: changes while it is open leave only their latest
    // messages, which describe the devices present then.
    m_pendingMessages = std::move(messages);
    if (m_showingMessage)
        return;
    m_showingMessage = true;
    while (!m_pendingMessages.isEmpty()) {
        const DeviceMessage message = m_pendingMessages.takeFirst();
        if (message.isWarning)
            m_messages.Warning(m_messageParent, message.text);
        else
            m_messages.Information(m_messageParent, message.text);
    }
    m_showingMessage = false;
}

void DeviceLink::OnDeviceRemoved(const HidDeviceInfo &device)
{
    if (m_current && device == m_currentInfo) {
        DropCurrentDevice();
        AnnounceLoss();
    } else if (IsClock(device)) {
        emit ClockRemoved();
    }
}

void DeviceLink::OnHandleFailed()
{
    const HidDeviceInfo failed = m_currentInfo;
    if (!DropCurrentDevice())
        return;
    m_backend.Rescan(failed);
    AnnounceLoss();
}

void DeviceLink::OnReport(const InputReport &report)
{
    const QString text = ReceivedText(report.data);
    // The replies of a read under way are the read's.
    if (!m_sends.isEmpty()) {
        Send &send = *m_sends.first();
        const bool takes = send.replies == Send::Replies::All
                           || (send.replies == Send::Replies::First && send.replyTexts.isEmpty());
        if (takes && send.written > 0) {
            send.replyTexts.append(text);
            return;
        }
    }
    m_router.Route(text);
}

bool DeviceLink::DropCurrentDevice()
{
    if (!m_current)
        return false;
    m_current->StopReading();
    m_current.reset();
    m_currentInfo = HidDeviceInfo();
    m_unconfirmed = false;
    const QList<std::shared_ptr<Send>> failed = std::exchange(m_sends, {});
    for (const std::shared_ptr<Send> &send : failed)
        send->result = false;
    return true;
}

void DeviceLink::AnnounceLoss()
{
    emit ClockRemoved();
    m_router.ClockLost();
}

bool DeviceLink::IsClockOf(const Send &send) const
{
    return m_current && send.connection == m_connection;
}

bool DeviceLink::SendList(const ByteList &items)
{
    auto send = std::make_shared<Send>();
    send->items = items;
    return Perform(send);
}

bool DeviceLink::Perform(const std::shared_ptr<Send> &send)
{
    if (!m_current || !AreByteValues(send->items))
        return false;
    send->connection = m_connection;
    m_sends.append(send);
    // The waits inside let events through: a command given meanwhile runs
    // this same loop, sending the rest of the sends before it first.
    while (!send->result)
        Step();
    return *send->result;
}

void DeviceLink::Step()
{
    Send &send = *m_sends.first();
    if (!IsClockOf(send)) {
        EndFirstSend(false);
        return;
    }
    if (!send.started) {
        send.started = true;
        if (send.showsProgress && m_progress)
            m_progress->SetProgress(0);
    }
    if (m_unconfirmed) {
        const WriteStatus status = m_current->LastWrite();
        const qint64 pending = m_waiter.Now() - m_writeBegunAt;
        if (status == WriteStatus::Pending && pending < kStalledWriteMs) {
            m_waiter.WaitProcessing(int(std::min<qint64>(kWriteCheckMs, kStalledWriteMs - pending)));
            return;
        }
        if (status != WriteStatus::Written) {
            OnHandleFailed();
            return;
        }
        m_unconfirmed = false;
        ++send.taken;
        if (send.showsProgress && m_progress)
            m_progress->SetProgress(ProgressAfter(send.taken, int(send.items.size())));
    }
    const qint64 now = m_waiter.Now();
    // A command given during the pause of the item before waits for its end.
    if (now < m_nextWriteAt) {
        m_waiter.WaitProcessing(int(m_nextWriteAt - now));
        return;
    }
    if (send.written < send.items.size()) {
        if (send.written == 0)
            m_schedule = now;
        const int item = send.items[send.written++];
        m_current->BeginWrite(OutputReport(item, m_current->OutputReportLength()));
        m_unconfirmed = true;
        m_writeBegunAt = now;
        m_schedule += kPacingMs;
        // More than a whole pause behind (a message box held the loop):
        // the schedule starts afresh.
        if (m_schedule < now)
            m_schedule = now + kPacingMs;
        const int pause = int(std::clamp<qint64>(m_schedule - now, kShortestPauseMs, kPacingMs));
        m_nextWriteAt = now + pause;
        m_waiter.WaitProcessing(pause);
        return;
    }
    if (send.replyWindowMs > 0 && !send.windowWaited) {
        send.windowWaited = true;
        m_nextWriteAt = now + send.replyWindowMs;
        m_waiter.WaitProcessing(send.replyWindowMs);
        return;
    }
    EndFirstSend(true);
}

void DeviceLink::EndFirstSend(bool succeeded)
{
    m_sends.takeFirst()->result = succeeded;
}

bool DeviceLink::SendShowingProgress(const ByteList &items, const QWidget *caller)
{
    if (!m_current)
        return false;
    if (m_progress)
        m_progress->ShowCentredOver(caller);
    auto send = std::make_shared<Send>();
    send->items = items;
    send->showsProgress = true;
    const bool sent = Perform(send);
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

std::optional<QStringList> DeviceLink::ReadMemory()
{
    StartReceiving();
    auto send = std::make_shared<Send>();
    send->items = {command::kReadMemory};
    send->replies = Send::Replies::All;
    send->replyWindowMs = kMemoryReadMs;
    if (!Perform(send))
        return std::nullopt;
    // Each report carries one memory byte, after its first two digits.
    QStringList memory;
    for (const QString &text : std::as_const(send->replyTexts))
        memory.append(MemoryByteOf(text));
    DropToMemoryStart(memory);
    return memory;
}

DeviceLink::TemperatureReading DeviceLink::ReadTemperature()
{
    auto send = std::make_shared<Send>();
    send->items = {command::kReadTemperature};
    send->replies = Send::Replies::First;
    TemperatureReading reading;
    if (!Perform(send))
        return reading;
    reading.result = TemperatureReading::Result::NothingCame;
    if (send->replyTexts.isEmpty())
        return reading;
    if (const std::optional<int> value = LowByteFirstValue(send->replyTexts.first())) {
        reading.result = TemperatureReading::Result::Received;
        reading.hundredths = *value;
    }
    return reading;
}

}  // namespace kq
