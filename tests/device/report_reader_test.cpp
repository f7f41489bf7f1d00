#include "device/report_reader.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

namespace kq {
namespace {

// A device that yields scripted reads; with nothing scripted it blocks for
// the read's time-out, as a real device does.
class ScriptedSource {
public:
    explicit ScriptedSource(std::deque<QByteArray> script, bool errorAtEnd = false)
        : m_script(std::move(script)), m_errorAtEnd(errorAtEnd)
    {
    }

    int Read(unsigned char *buffer, int length, int timeoutMs, int handledSoFar)
    {
        std::unique_lock lock(m_mutex);
        m_handledAtRead.append(handledSoFar);
        if (m_script.empty()) {
            if (m_errorAtEnd)
                return -1;
            m_cv.wait_for(lock, std::chrono::milliseconds(timeoutMs));
            return 0;
        }
        const QByteArray next = m_script.front();
        m_script.pop_front();
        const int count = int(qMin<qsizetype>(next.size(), length));
        std::copy_n(next.constData(), count, buffer);
        return count;
    }

    QList<int> HandledAtRead()
    {
        std::lock_guard lock(m_mutex);
        return m_handledAtRead;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::deque<QByteArray> m_script;
    bool m_errorAtEnd;
    QList<int> m_handledAtRead;
};

// Processes events until done() holds; false after five seconds.
template<typename Done>
bool ProcessEventsUntil(Done done)
{
    const QDeadlineTimer deadline(5000);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents();
        QThread::yieldCurrentThread();
    }
    return true;
}

TEST(ReportReader, HandsEachReportOverOnTheCreatingThreadOneAtATime)
{
    std::atomic<int> handled = 0;
    ScriptedSource source({QByteArray::fromHex("00ffff"), QByteArray::fromHex("00111a"), QByteArray::fromHex("0012")});
    QList<InputReport> reports;
    bool onCreatingThread = true;
    ReportReader reader(
        [&](unsigned char *buffer, int length, int timeoutMs) {
            return source.Read(buffer, length, timeoutMs, handled.load());
        },
        3, /*usesReportIds=*/true,
        [&](const InputReport &report) {
            onCreatingThread = onCreatingThread && QThread::currentThread() == QCoreApplication::instance()->thread();
            reports.append(report);
            ++handled;
        },
        [] { FAIL() << "no read error was scripted"; });
    reader.Start();
    ASSERT_TRUE(ProcessEventsUntil([&] { return reports.size() == 3; }));
    reader.Stop();

    EXPECT_TRUE(onCreatingThread);
    EXPECT_EQ(reports[0].reportId, 0);
    EXPECT_EQ(reports[0].data, QByteArray::fromHex("ffff"));
    EXPECT_EQ(reports[1].data, QByteArray::fromHex("111a"));
    EXPECT_EQ(reports[2].data, QByteArray::fromHex("12"));
    // Every read after a report waited until that report was handled.
    const QList<int> HandledAtRead = source.HandledAtRead();
    ASSERT_GE(HandledAtRead.size(), 3);
    EXPECT_EQ(HandledAtRead.mid(0, 3), (QList<int>{0, 1, 2}));
}

TEST(ReportReader, WithoutReportIdsEveryByteIsData)
{
    ScriptedSource source({QByteArray::fromHex("e909")});
    QList<InputReport> reports;
    ReportReader reader([&](unsigned char *buffer, int length, int timeoutMs) { return source.Read(buffer, length, timeoutMs, 0); },
                        3, /*usesReportIds=*/false, [&](const InputReport &report) { reports.append(report); }, [] {});
    reader.Start();
    ASSERT_TRUE(ProcessEventsUntil([&] { return !reports.isEmpty(); }));
    reader.Stop();
    EXPECT_EQ(reports[0].reportId, 0);
    EXPECT_EQ(reports[0].data, QByteArray::fromHex("e909"));
}

TEST(ReportReader, ReadErrorIsHandedOverOnceAndEndsReading)
{
    ScriptedSource source({QByteArray::fromHex("00ffff")}, /*errorAtEnd=*/true);
    int reports = 0;
    int errors = 0;
    ReportReader reader([&](unsigned char *buffer, int length, int timeoutMs) { return source.Read(buffer, length, timeoutMs, 0); },
                        3, true, [&](const InputReport &) { ++reports; }, [&] { ++errors; });
    reader.Start();
    ASSERT_TRUE(ProcessEventsUntil([&] { return errors == 1; }));
    reader.Stop();
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(source.HandledAtRead().size(), 2);
}

TEST(ReportReader, StopWhileAReportWaitsForTheUserInterfaceThread)
{
    ScriptedSource source({QByteArray::fromHex("00ffff"), QByteArray::fromHex("00ffff")});
    int reports = 0;
    ReportReader reader([&](unsigned char *buffer, int length, int timeoutMs) { return source.Read(buffer, length, timeoutMs, 0); },
                        3, true, [&](const InputReport &) { ++reports; }, [] {});
    reader.Start();
    // The reader now waits for this thread, which does not process events.
    const QDeadlineTimer deadline(5000);
    while (source.HandledAtRead().isEmpty() && !deadline.hasExpired())
        QThread::yieldCurrentThread();
    reader.Stop();
    QCoreApplication::processEvents();
    EXPECT_EQ(reports, 0);
}

TEST(ReportReader, AHandlersNestedEventLoopInWhichTheReaderIsDropped)
{
    ScriptedSource source({QByteArray::fromHex("00ffff"), QByteArray::fromHex("00ffff")});
    int reports = 0;
    std::unique_ptr<ReportReader> reader;
    reader = std::make_unique<ReportReader>(
        [&](unsigned char *buffer, int length, int timeoutMs) { return source.Read(buffer, length, timeoutMs, 0); },
        3, true,
        [&](const InputReport &) {
            ++reports;
            // A message box shown from the report, while the clock is pulled
            // out and its reader goes.
            QEventLoop box;
            QTimer::singleShot(0, &box, [&] {
                reader.reset();
                box.quit();
            });
            box.exec();
        },
        [] {});
    reader->Start();
    ASSERT_TRUE(ProcessEventsUntil([&] { return !reader; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(reports, 1);
}

}  // namespace
}  // namespace kq
