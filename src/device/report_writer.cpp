#include "device/report_writer.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

namespace kq {

class ReportWriter::Shared {
public:
    Shared(WriteFunction write, CloseFunction close) : m_write(std::move(write)), m_close(std::move(close)) {}

    void Begin(const QByteArray &report)
    {
        {
            std::lock_guard lock(m_mutex);
            m_next = report;
            m_status = WriteStatus::Pending;
        }
        m_changed.notify_all();
    }

    WriteStatus Status()
    {
        std::lock_guard lock(m_mutex);
        return m_status;
    }

    void Quit()
    {
        {
            std::lock_guard lock(m_mutex);
            m_quitting = true;
        }
        m_changed.notify_all();
    }

    // The writer thread.
    void Run()
    {
        std::unique_lock lock(m_mutex);
        while (true) {
            m_changed.wait(lock, [this] { return m_next || m_quitting; });
            if (m_quitting)
                break;
            const QByteArray report = *std::exchange(m_next, std::nullopt);
            lock.unlock();
            const bool written = m_write(report) == report.size();
            lock.lock();
            m_status = written ? WriteStatus::Written : WriteStatus::Failed;
        }
        lock.unlock();
        m_close();
    }

private:
    const WriteFunction m_write;
    const CloseFunction m_close;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::optional<QByteArray> m_next;
    WriteStatus m_status = WriteStatus::Written;
    bool m_quitting = false;
};

ReportWriter::ReportWriter(WriteFunction write, CloseFunction close)
    : m_shared(std::make_shared<Shared>(std::move(write), std::move(close)))
{
    // The thread holds the shared state, so it may outlive this object.
    std::thread([shared = m_shared] { shared->Run(); }).detach();
}

ReportWriter::~ReportWriter()
{
    m_shared->Quit();
}

void ReportWriter::Begin(const QByteArray &report)
{
    m_shared->Begin(report);
}

WriteStatus ReportWriter::Status() const
{
    return m_shared->Status();
}

}  // namespace kq
