// The HID report descriptor as a device hands it over: any bytes.
#include "device/report_descriptor.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::optional<kq::ReportLengths> lengths =
        kq::ParseReportDescriptor(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    // The device link allocates report buffers of these lengths.
    if (lengths && (lengths->input < 0 || lengths->output < 0 || lengths->feature < 0))
        std::abort();
    return 0;
}
