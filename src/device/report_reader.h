#pragma once

#include "device/hid_backend.h"

#include <functional>
#include <memory>
#include <thread>

// The reader thread: blocks in the device's read and hands every report to
// the thread that created the reader, waiting until that thread has handled
// it, so all report handling happens on the user-interface thread.
//
// The hand-over is a queued call plus a wait that Stop() can interrupt. A
// blocking queued connection would deadlock when the user-interface thread
// stops the reader while the reader waits for it. A handler may run a nested
// event loop in which the reader is stopped and destroyed: what the queued
// call touches after the handler returns is shared, never the reader itself.
// The report itself passes under the reader's own mutex, never inside the
// queued call, so a thread checker sees every hand-over.
namespace kq {

class ReportHandOver;
class ReportHandOverTarget;

class ReportReader final {
public:
    // Blocks at most timeoutMs; the number of bytes read, 0 when nothing
    // came, negative on a read error.
    using ReadFunction = std::function<int(unsigned char *buffer, int length, int timeoutMs)>;

    // With report IDs the first byte read is the ID; without, every byte is
    // data and the ID is 0. Created on the thread that handles the reports.
    ReportReader(ReadFunction read, int bufferLength, bool usesReportIds, HidDevice::ReportHandler onReport,
                 HidDevice::ErrorHandler onError);
    ~ReportReader();
    ReportReader(const ReportReader &) = delete;
    ReportReader &operator=(const ReportReader &) = delete;

    void Start();
    // Returns once the thread has ended; no report is handed over afterwards.
    // Called on the creating thread.
    void Stop();

private:
    void Run();

    ReadFunction m_read;
    int m_bufferLength;
    bool m_usesReportIds;
    std::shared_ptr<ReportHandOver> m_handOver;
    std::unique_ptr<ReportHandOverTarget> m_target;  // lives on the creating thread
    std::thread m_thread;
};

}  // namespace kq
