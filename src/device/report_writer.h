#pragma once

#include "device/hid_backend.h"

#include <QByteArray>

#include <functional>
#include <memory>

// The writer thread of an opened device. A write to a hidraw node blocks
// until the USB transfer ends, up to the kernel's time-out when the clock
// stops taking reports; here it blocks this thread instead of the
// user-interface thread, which only looks how the write went.
namespace kq {

class ReportWriter final {
public:
    // write: bytes written, negative on failure. close: releases the handle
    // write uses; runs on the writer thread once no write is under way.
    using WriteFunction = std::function<int(const QByteArray &report)>;
    using CloseFunction = std::function<void()>;

    ReportWriter(WriteFunction write, CloseFunction close);
    // Returns at once: a write still under way (a stalled clock) ends on the
    // writer thread, which then closes the handle and ends.
    ~ReportWriter();
    ReportWriter(const ReportWriter &) = delete;
    ReportWriter &operator=(const ReportWriter &) = delete;

    // Only when Status() is not Pending.
    void Begin(const QByteArray &report);
    [[nodiscard]] WriteStatus Status() const;

private:
    class Shared;

    std::shared_ptr<Shared> m_shared;
};

}  // namespace kq
