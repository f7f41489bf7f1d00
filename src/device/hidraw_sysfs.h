#pragma once

#include "device/report_descriptor.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The Linux hidraw nodes as sysfs shows them: each node's report descriptor,
// and a cheap fingerprint of the nodes present.
namespace kq {

// The folder of the hidraw nodes, one entry per node.
inline const QString kHidrawSysfsRoot = QStringLiteral("/sys/class/hidraw");

// Report lengths of the device at a hidraw path such as "/dev/hidraw3";
// nullopt when its descriptor cannot be read or parsed.
[[nodiscard]] std::optional<ReportLengths> HidrawReportLengths(const QString &devicePath, const QString &sysfsRoot);

// Changes whenever a node comes or goes, so a periodic check can skip the
// full enumeration when nothing changed.
QByteArray HidrawNodesFingerprint(const QString &sysfsRoot);

}  // namespace kq
