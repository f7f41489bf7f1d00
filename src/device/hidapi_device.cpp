#include "device/hidapi_device.h"

namespace kq {

HidapiDevice::HidapiDevice(hid_device *writeHandle, hid_device *readHandle, const ReportLengths &lengths)
    : m_readHandle(readHandle),
      m_lengths(lengths),
      m_writer(
          [writeHandle](const QByteArray &report) {
              return hid_write(writeHandle, reinterpret_cast<const unsigned char *>(report.constData()),
                               size_t(report.size()));
          },
          [writeHandle] { hid_close(writeHandle); })
{
}

HidapiDevice::~HidapiDevice()
{
    StopReading();
    hid_close(m_readHandle);
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
    m_reader->Start();
}

void HidapiDevice::StopReading()
{
    if (m_reader)
        m_reader->Stop();
    m_reader.reset();
    m_reading = false;
}

}  // namespace kq
