#pragma once

#include <QByteArray>
#include <QMap>

#include <optional>

// What the device link needs of a HID report descriptor: the byte lengths of
// the input and output reports. Read from the descriptor itself because the
// HID library in use offers no capabilities call.
namespace kq {

struct ReportLengths {
    // Whether the descriptor declares report IDs; without them the device
    // sends its input reports without an ID byte.
    bool usesReportIds = false;
    // Byte lengths including the report-ID byte (as the ID byte is always
    // written first), the largest report of each kind; 0 when there is none.
    int input = 0;
    int output = 0;
    int feature = 0;
};

// nullopt for a descriptor that ends inside an item, pops more than it
// pushed, names a report ID outside 1..255 or declares a report longer than
// hidraw hands over (16384 bytes): such a device cannot be opened.
[[nodiscard]] std::optional<ReportLengths> ParseReportDescriptor(const QByteArray &descriptor);

}  // namespace kq
