#include "device/device_listing.h"

#include "device/device_identity.h"
#include "device/hid_backend.h"

namespace kq {

QStringList DeviceListing(HidBackend &backend)
{
    QStringList lines;
    for (const HidDeviceInfo &device : backend.Devices()) {
        QString line = IdentificationText(device) + QLatin1Char('\t') + DescriptionOf(device);
        if (IsClock(device) && backend.Open(device).accessDenied)
            line += QLatin1Char('\t') + kNotAccessibleMark;
        lines.append(line);
    }
    return lines;
}

}  // namespace kq
