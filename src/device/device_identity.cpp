#include "device/device_identity.h"

namespace kq {

namespace {
QString Hex4(quint16 value)
{
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0')).toUpper();
}
}  // namespace

QString IdentificationText(const HidDeviceInfo &device)
{
    return Hex4(device.vendorId) + QLatin1Char(' ') + Hex4(device.productId);
}

QString DescriptionOf(const HidDeviceInfo &device)
{
    QString description = device.product;
    if (description.isEmpty())
        description = QStringLiteral("Device VID=%1 PID=%2").arg(Hex4(device.vendorId), Hex4(device.productId));
    if (!device.serial.isEmpty())
        description += QStringLiteral(" (Serial=%1)").arg(device.serial);
    return description;
}

bool IsClock(const HidDeviceInfo &device)
{
    return device.vendorId == kClockVendorId && device.productId == kClockProductId;
}

}  // namespace kq
