#pragma once

#include "device/hid_backend.h"
#include "device/report_descriptor.h"
#include "device/report_reader.h"

#include <hidapi.h>

#include <memory>

// One opened hidraw device: a handle for writing and one for the reader
// thread, so the two never share hidapi's per-handle error state.
namespace kq {

class HidapiDevice final : public HidDevice {
public:
    // Takes ownership of both handles.
    HidapiDevice(hid_device *writeHandle, hid_device *readHandle, const ReportLengths &lengths);
    ~HidapiDevice() override;

    int outputReportLength() const override { return m_lengths.output; }
    int inputReportLength() const override { return m_lengths.input; }
    bool WriteReport(const QByteArray &report) override;
    void StartReading(ReportHandler onReport, ErrorHandler onError) override;
    void StopReading() override;
    bool isReading() const override { return m_reading; }

private:
    hid_device *m_writeHandle;
    hid_device *m_readHandle;
    ReportLengths m_lengths;
    std::unique_ptr<ReportReader> m_reader;
    bool m_reading = false;
};

}  // namespace kq
