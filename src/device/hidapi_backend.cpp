#include "device/hidapi_backend.h"

#include "device/device_diff.h"
#include "device/hidapi_device.h"
#include "device/hidraw_sysfs.h"

#include <hidapi.h>

#include <cerrno>
#include <utility>

namespace kq {

namespace {
// hid_open_path leaves open()'s errno behind; a node this user may not open
// says so with one of these.
bool IsAccessDenied(int error)
{
    return error == EACCES || error == EPERM;
}

QString FromWide(const wchar_t *text)
{
    return text ? QString::fromWCharArray(text) : QString();
}
}  // namespace

HidapiBackend::HidapiBackend(QString sysfsRoot, QObject *parent)
    : HidBackend(parent), m_sysfsRoot(std::move(sysfsRoot)), m_initialised(hid_init() == 0)
{
    m_watchTimer.setInterval(kWatchIntervalMs);
    connect(&m_watchTimer, &QTimer::timeout, this, &HidapiBackend::CheckForChanges);
}

HidapiBackend::~HidapiBackend()
{
    if (m_initialised)
        hid_exit();
}

QList<HidDeviceInfo> HidapiBackend::Devices()
{
    QList<HidDeviceInfo> devices;
    if (!m_initialised)
        return devices;
    hid_device_info *list = hid_enumerate(0, 0);
    for (const hid_device_info *entry = list; entry; entry = entry->next) {
        if (!entry->path)
            continue;
        HidDeviceInfo device;
        device.vendorId = entry->vendor_id;
        device.productId = entry->product_id;
        device.product = FromWide(entry->product_string);
        device.serial = FromWide(entry->serial_number);
        device.path = QString::fromLocal8Bit(entry->path);
        devices.append(device);
    }
    hid_free_enumeration(list);
    return devices;
}

OpenedDevice HidapiBackend::Open(const HidDeviceInfo &device)
{
    if (!m_initialised)
        return {};
    const std::optional<ReportLengths> lengths = HidrawReportLengths(device.path, m_sysfsRoot);
    // Without a data byte in the output report nothing can be sent.
    if (!lengths || lengths->output < 2)
        return {};
    const QByteArray path = device.path.toLocal8Bit();
    hid_device *writeHandle = hid_open_path(path.constData());
    if (!writeHandle)
        return {nullptr, IsAccessDenied(errno)};
    hid_device *readHandle = hid_open_path(path.constData());
    if (!readHandle) {
        const int error = errno;
        hid_close(writeHandle);
        return {nullptr, IsAccessDenied(error)};
    }
    return {std::make_unique<HidapiDevice>(writeHandle, readHandle, *lengths)};
}

void HidapiBackend::StartWatching()
{
    m_nodesFingerprint = HidrawNodesFingerprint(m_sysfsRoot);
    m_known = Devices();
    m_watchTimer.start();
    emit DevicesChanged();
}

void HidapiBackend::Rescan(const HidDeviceInfo &device)
{
    // Unplugged and plugged in again within one interval, the node can come
    // back under the same name and the same port: the next check enumerates
    // whatever the nodes look like, and finds the device new. Gone for good,
    // it still changed what is there: another clock may take its place.
    m_known.removeAll(device);
    m_rescanDue = true;
}

void HidapiBackend::CheckForChanges()
{
    const QByteArray fingerprint = HidrawNodesFingerprint(m_sysfsRoot);
    if (fingerprint == m_nodesFingerprint && !m_rescanDue)
        return;
    m_nodesFingerprint = fingerprint;
    const QList<HidDeviceInfo> now = Devices();
    const DeviceDiff diff = DiffDevices(m_known, now);
    m_known = now;
    for (const HidDeviceInfo &device : diff.removed)
        emit DeviceRemoved(device);
    if (std::exchange(m_rescanDue, false) || diff.changed)
        emit DevicesChanged();
}

}  // namespace kq
