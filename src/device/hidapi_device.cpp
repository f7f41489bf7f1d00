#include "device/hidapi_device.h"

namespace kq {

HidapiDevice::HidapiDevice(hid_device *writeHandle, hid_device *readHandle, const ReportLengths &lengths)
    : m_writeHandle(writeHandle), m_readHandle(readHandle), m_lengths(lengths)
{
}

HidapiDevice::~HidapiDevice()
{
    StopReading();
    hid_close(m_readHandle);
    hid_close(m_writeHandle);
}

bool HidapiDevice::WriteReport(const QByteArray &report)
{
    const int written = hid_write(m_writeHandle, reinterpret_cast<const unsigned char *>(report.constData()),
                                  size_t(report.size()));
    return written == report.size();
}

void HidapiDevice::StartReading(ReportHandler onReport, ErrorHandler onError)
{
    if (m_reading || m_lengths.input < 1)
        return;
    StopReading();  // a reader that ended on an error
    hid_device *handle = m_readHandle;
    m_reading = true;
    m_reader = std::make_unique<ReportReader>(
        [handle](unsigned char *buffer, int length, int timeoutMs) {
            return hid_read_timeout(handle, buffer, size_t(length), timeoutMs);
        },
        m_lengths.input, m_lengths.usesReportIds, std::move(onReport),
        [this, onError = std::move(onError)] {
            m_reading = false;
            onError();
        });
    m_reader->start();
}

void HidapiDevice::StopReading()
{
    if (m_reader)
        m_reader->Stop();
    m_reader.reset();
    m_reading = false;
}

}  // namespace kq
