#pragma once

#include "device/hid_backend.h"
#include "device/report_descriptor.h"
#include "device/report_reader.h"
#include "device/report_writer.h"

#include <hidapi.h>

#include <memory>

// One opened hidraw device: a handle for the writer thread and one for the
// reader thread, so the two never share hidapi's per-handle error state.
namespace kq {

class HidapiDevice final : public HidDevice {
public:
    // Takes ownership of both handles.
    HidapiDevice(hid_device *writeHandle, hid_device *readHandle, const ReportLengths &lengths);
    ~HidapiDevice() override;

    int OutputReportLength() const override { return m_lengths.output; }
    int InputReportLength() const override { return m_lengths.input; }
    void BeginWrite(const QByteArray &report) override { m_writer.Begin(report); }
    WriteStatus LastWrite() const override { return m_writer.Status(); }
    void StartReading(ReportHandler onReport, ErrorHandler onError) override;
    void StopReading() override;
    bool IsReading() const override { return m_reading; }

private:
    hid_device *m_readHandle;
    ReportLengths m_lengths;
    ReportWriter m_writer;  // owns the write handle
    std::unique_ptr<ReportReader> m_reader;
    bool m_reading = false;
};

}  // namespace kq
