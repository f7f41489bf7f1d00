#include "device/report_reader.h"

#include <QMetaObject>

namespace kq {

namespace {
// How long one read blocks before the thread looks whether it should stop.
constexpr int kReadPollMs = 100;
}  // namespace

ReportReader::ReportReader(ReadFunction read, int bufferLength, bool usesReportIds,
                           HidDevice::ReportHandler onReport, HidDevice::ErrorHandler onError)
    : m_read(std::move(read)),
      m_bufferLength(bufferLength),
      m_usesReportIds(usesReportIds),
      m_onReport(std::move(onReport)),
      m_onError(std::move(onError))
{
}

ReportReader::~ReportReader()
{
    Stop();
}

void ReportReader::Stop()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_handled.notify_all();
    wait();
}

bool ReportReader::stopping()
{
    std::lock_guard lock(m_mutex);
    return m_stopping;
}

bool ReportReader::HandOver(std::function<void()> handle)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_stopping)
            return false;
        m_pending = true;
    }
    QMetaObject::invokeMethod(
        &m_handOverTarget,
        [this, handle = std::move(handle)] {
            {
                std::lock_guard lock(m_mutex);
                if (m_stopping)
                    return;
            }
            handle();
            {
                std::lock_guard lock(m_mutex);
                m_pending = false;
            }
            m_handled.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock lock(m_mutex);
    m_handled.wait(lock, [this] { return !m_pending || m_stopping; });
    return !m_stopping;
}

void ReportReader::run()
{
    QByteArray buffer(qMax(m_bufferLength, 1), '\0');
    while (!stopping()) {
        const int count = m_read(reinterpret_cast<unsigned char *>(buffer.data()), int(buffer.size()), kReadPollMs);
        if (count == 0)
            continue;
        if (count < 0) {
            HandOver(m_onError);
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
        if (!HandOver([this, report] { m_onReport(report); }))
            return;
    }
}

}  // namespace kq
