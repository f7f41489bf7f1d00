#include "device/report_reader.h"

#include <QMetaObject>
#include <QObject>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <utility>

namespace kq {

namespace {
// How long one read blocks before the thread looks whether it should stop.
constexpr int kReadPollMs = 100;
}  // namespace

// What the reader thread and the creating thread share.
class ReportHandOver final {
public:
    ReportHandOver(HidDevice::ReportHandler onReport, HidDevice::ErrorHandler onError)
        : m_onReport(std::move(onReport)), m_onError(std::move(onError))
    {
    }

    void Stop()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_handled.notify_all();
    }

    bool IsStopping()
    {
        std::lock_guard lock(m_mutex);
        return m_stopping;
    }

    // On the reader thread: has the report (or, without one, the read error)
    // handled on target's thread and waits until it has been, or until Stop.
    // False when stopping.
    bool Run(QObject *target, std::optional<InputReport> report)
    {
        {
            std::lock_guard lock(m_mutex);
            if (m_stopping)
                return false;
            m_pending = true;
            m_report = std::move(report);
        }
        // By name: the call carries nothing of ours across the threads.
        QMetaObject::invokeMethod(target, "Deliver", Qt::QueuedConnection);
        std::unique_lock lock(m_mutex);
        m_handled.wait(lock, [this] { return !m_pending || m_stopping; });
        return !m_stopping;
    }

    // On the creating thread.
    void Handle()
    {
        std::optional<InputReport> report;
        {
            std::lock_guard lock(m_mutex);
            if (m_stopping || !m_pending)
                return;
            report = std::exchange(m_report, std::nullopt);
        }
        if (report)
            m_onReport(*report);
        else
            m_onError();
        {
            std::lock_guard lock(m_mutex);
            m_pending = false;
        }
        m_handled.notify_all();
    }

private:
    const HidDevice::ReportHandler m_onReport;
    const HidDevice::ErrorHandler m_onError;
    std::mutex m_mutex;
    std::condition_variable m_handled;
    bool m_stopping = false;
    bool m_pending = false;
    std::optional<InputReport> m_report;
};

// Receives the posted call on the creating thread.
class ReportHandOverTarget final : public QObject {
    Q_OBJECT

public:
    explicit ReportHandOverTarget(std::shared_ptr<ReportHandOver> handOver) : m_handOver(std::move(handOver)) {}

    Q_INVOKABLE void Deliver()
    {
        // The handler may destroy the reader, and this object with it.
        const std::shared_ptr<ReportHandOver> handOver = m_handOver;
        handOver->Handle();
    }

private:
    std::shared_ptr<ReportHandOver> m_handOver;
};

ReportReader::ReportReader(ReadFunction read, int bufferLength, bool usesReportIds,
                           HidDevice::ReportHandler onReport, HidDevice::ErrorHandler onError)
    : m_read(std::move(read)),
      m_bufferLength(bufferLength),
      m_usesReportIds(usesReportIds),
      m_handOver(std::make_shared<ReportHandOver>(std::move(onReport), std::move(onError))),
      m_target(std::make_unique<ReportHandOverTarget>(m_handOver))
{
}

ReportReader::~ReportReader()
{
    Stop();
}

void ReportReader::Start()
{
    if (!m_thread.joinable())
        m_thread = std::thread([this] { Run(); });
}

void ReportReader::Stop()
{
    m_handOver->Stop();
    if (m_thread.joinable())
        m_thread.join();
}

void ReportReader::Run()
{
    QByteArray buffer(qMax(m_bufferLength, 1), '\0');
    while (!m_handOver->IsStopping()) {
        const int count = m_read(reinterpret_cast<unsigned char *>(buffer.data()), int(buffer.size()), kReadPollMs);
        if (count == 0)
            continue;
        if (count < 0) {
            (void)m_handOver->Run(m_target.get(), std::nullopt);
            return;
        }
        InputReport report;
        const QByteArray bytes = buffer.left(count);
        if (m_usesReportIds) {
            report.reportId = quint8(bytes[0]);
            report.data = bytes.mid(1);
        } else {
            report.data = bytes;
        }
        if (!m_handOver->Run(m_target.get(), std::move(report)))
            return;
    }
}

}  // namespace kq

#include "report_reader.moc"
