#pragma once

#include <QString>
#include <QStringList>

// The HID devices present as kq27-tool lists them.
namespace kq {

class HidBackend;

// Ends the line of a clock that is there but that this user may not open.
inline const QString kNotAccessibleMark = QStringLiteral("not accessible");

// One line per device, in the order enumerated: identification, a tab, the
// description; a clock this user may not open gets a tab and the mark after
// it. Each clock is opened to find out, and closed again at once.
QStringList DeviceListing(HidBackend &backend);

}  // namespace kq
