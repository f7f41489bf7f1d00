#pragma once

#include "device/hid_backend.h"
#include "device/hidraw_sysfs.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTimer>

// The HID devices of this machine through hidapi's hidraw backend. hidapi
// gives no arrival or removal notification, so the device list is compared
// with the previous one at most once a second, and only enumerated again
// when the hidraw nodes changed.
namespace kq {

class HidapiBackend final : public HidBackend {
    Q_OBJECT

public:
    static constexpr int kWatchIntervalMs = 1000;

    // sysfsRoot: where the hidraw nodes' report descriptors are read.
    explicit HidapiBackend(QString sysfsRoot = kHidrawSysfsRoot, QObject *parent = nullptr);
    ~HidapiBackend() override;

    QList<HidDeviceInfo> Devices() override;
    OpenedDevice Open(const HidDeviceInfo &device) override;
    void StartWatching() override;
    void Rescan(const HidDeviceInfo &device) override;

    // One look of the watch, which runs it every kWatchIntervalMs: announces
    // the devices that left and arrived since the look before.
    void CheckForChanges();

private:
    const QString m_sysfsRoot;
    bool m_initialised = false;
    QTimer m_watchTimer{this};
    QByteArray m_nodesFingerprint;
    QList<HidDeviceInfo> m_known;
    // A handle failed since the last look: the next one enumerates and
    // raises DevicesChanged.
    bool m_rescanDue = false;
};

}  // namespace kq
