#include "device/hidraw_sysfs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kq {

std::optional<ReportLengths> HidrawReportLengths(const QString &devicePath, const QString &sysfsRoot)
{
    const QString node = QFileInfo(devicePath).fileName();
    if (node.isEmpty())
        return std::nullopt;
    QFile file(sysfsRoot + QLatin1Char('/') + node + QStringLiteral("/device/report_descriptor"));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // A descriptor is at most 4096 bytes; sysfs reports no size, so read all.
    return ParseReportDescriptor(file.readAll());
}

QByteArray HidrawNodesFingerprint(const QString &sysfsRoot)
{
    QByteArray fingerprint;
    const QDir root(sysfsRoot);
    for (const QFileInfo &entry : root.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
        // The link target names the USB port, so a different device taking a
        // freed node number still changes the fingerprint.
        fingerprint += entry.fileName().toUtf8() + '=' + entry.symLinkTarget().toUtf8() + '\n';
    }
    return fingerprint;
}

}  // namespace kq
