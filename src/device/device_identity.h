#pragma once

#include "device/hid_backend.h"

#include <QString>

// How a HID device is named in the device list, and how the clock and its
// two special product strings are recognised.
namespace kq {

inline constexpr quint16 kClockVendorId = 0x21CF;
inline constexpr quint16 kClockProductId = 0x0002;
inline const QString kClockIdentification = QStringLiteral("21CF 0002");
// A clock of the kit's other model, which this studio cannot drive.
inline const QString kOtherModelProduct = QStringLiteral("TL-2");
// A clock of 2016 or earlier: generation 3.
inline const QString kOlderClockProduct = QStringLiteral("TL-6");

// Vendor and product ID as four upper-case hexadecimal digits each: "21CF 0002".
QString IdentificationText(const HidDeviceInfo &device);

// The product string, or "Device VID=.... PID=...." without one; then
// " (Serial=...)" when the device reports a serial number.
QString DescriptionOf(const HidDeviceInfo &device);

bool IsClock(const HidDeviceInfo &device);

}  // namespace kq
