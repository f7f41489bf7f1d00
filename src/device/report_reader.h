#pragma once

#include "device/hid_backend.h"

#include <QObject>
#include <QThread>

#include <condition_variable>
#include <functional>
#include <mutex>

// The reader thread: blocks in the device's read and hands every report to
// the thread that created the reader, waiting until that thread has handled
// it, so all report handling happens on the user-interface thread.
//
// The hand-over is a queued call plus a wait that Stop() can interrupt. A
// blocking queued connection would deadlock when the user-interface thread
// stops the reader while the reader waits for it.
namespace kq {

class ReportReader final : public QThread {
public:
    // Blocks at most timeoutMs; the number of bytes read, 0 when nothing
    // came, negative on a read error.
    using ReadFunction = std::function<int(unsigned char *buffer, int length, int timeoutMs)>;

    // With report IDs the first byte read is the ID; without, every byte is
    // data and the ID is 0.
    ReportReader(ReadFunction read, int bufferLength, bool usesReportIds, HidDevice::ReportHandler onReport,
                 HidDevice::ErrorHandler onError);
    ~ReportReader() override;

    // Returns once the thread has ended; no report is handed over afterwards.
    // Called on the creating thread.
    void Stop();

protected:
    void run() override;

private:
    // Runs handle on the creating thread and waits until it has run, or
    // until Stop(). False when stopping.
    bool HandOver(std::function<void()> handle);
    bool stopping();

    ReadFunction m_read;
    int m_bufferLength;
    bool m_usesReportIds;
    HidDevice::ReportHandler m_onReport;
    HidDevice::ErrorHandler m_onError;

    QObject m_handOverTarget;  // lives on the creating thread
    std::mutex m_mutex;
    std::condition_variable m_handled;
    bool m_stopping = false;
    bool m_pending = false;
};

}  // namespace kq
