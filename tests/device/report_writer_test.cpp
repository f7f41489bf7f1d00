#include "device/report_writer.h"

#include <QDeadlineTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <condition_variable>
#include <memory>
#include <mutex>

namespace kq {
namespace {

// A device whose writes block until the test lets them through, as a hidraw
// write does while the clock does not take the report.
class GatedDevice {
public:
    int Write(const QByteArray &report)
    {
        std::unique_lock lock(m_mutex);
        m_writing = true;
        m_changed.wait(lock, [this] { return m_open; });
        m_written.append(report);
        return m_result != 0 ? m_result : int(report.size());
    }

    void Close()
    {
        std::lock_guard lock(m_mutex);
        m_closed = true;
    }

    // result: what the write returns; 0 for the whole report.
    void Open(int result = 0)
    {
        {
            std::lock_guard lock(m_mutex);
            m_open = true;
            m_result = result;
        }
        m_changed.notify_all();
    }

    QList<QByteArray> Written()
    {
        std::lock_guard lock(m_mutex);
        return m_written;
    }

    bool IsWriting()
    {
        std::lock_guard lock(m_mutex);
        return m_writing;
    }

    bool IsClosed()
    {
        std::lock_guard lock(m_mutex);
        return m_closed;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_open = false;
    bool m_writing = false;
    int m_result = 0;
    bool m_closed = false;
    QList<QByteArray> m_written;
};

std::unique_ptr<ReportWriter> WriterOf(const std::shared_ptr<GatedDevice> &device)
{
    return std::make_unique<ReportWriter>([device](const QByteArray &report) { return device->Write(report); },
                                          [device] { device->Close(); });
}

// Yields until done() holds; false after five seconds.
template<typename Done>
bool YieldUntil(Done done)
{
    const QDeadlineTimer deadline(5000);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QThread::yieldCurrentThread();
    }
    return true;
}

TEST(ReportWriter, BeginReturnsWhileTheWriteBlocks)
{
    const auto device = std::make_shared<GatedDevice>();
    const std::unique_ptr<ReportWriter> writer = WriterOf(device);
    EXPECT_EQ(writer->Status(), WriteStatus::Written);
    const QByteArray report = QByteArray::fromHex("00f1f1");
    writer->Begin(report);
    EXPECT_EQ(writer->Status(), WriteStatus::Pending);

    device->Open();
    ASSERT_TRUE(YieldUntil([&] { return writer->Status() != WriteStatus::Pending; }));
    EXPECT_EQ(writer->Status(), WriteStatus::Written);
    EXPECT_EQ(device->Written(), QList<QByteArray>{report});
}

TEST(ReportWriter, AFailedOrShortWriteFails)
{
    for (int result : {-1, 1}) {
        const auto device = std::make_shared<GatedDevice>();
        const std::unique_ptr<ReportWriter> writer = WriterOf(device);
        device->Open(result);
        writer->Begin(QByteArray::fromHex("00f1f1"));
        ASSERT_TRUE(YieldUntil([&] { return writer->Status() != WriteStatus::Pending; }));
        EXPECT_EQ(writer->Status(), WriteStatus::Failed) << result;
    }
}

TEST(ReportWriter, DroppedWhileAWriteBlocksItReturnsAndTheHandleClosesAfterTheWrite)
{
    const auto device = std::make_shared<GatedDevice>();
    std::unique_ptr<ReportWriter> writer = WriterOf(device);
    writer->Begin(QByteArray::fromHex("00f1f1"));
    ASSERT_TRUE(YieldUntil([&] { return device->IsWriting(); }));
    writer.reset();
    EXPECT_FALSE(device->IsClosed());

    device->Open();
    EXPECT_TRUE(YieldUntil([&] { return device->IsClosed(); }));
    EXPECT_EQ(device->Written().size(), 1);
}

}  // namespace
}  // namespace kq
