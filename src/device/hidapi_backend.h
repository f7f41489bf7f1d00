#pragma once

#include "device/hid_backend.h"

#include <QByteArray>
#include <QList>
#include <QTimer>

// The HID devices of this machine through hidapi's hidraw backend. hidapi
// gives no arrival or removal notification, so the device list is compared
// with the previous one at most once a second, and only enumerated again
// when the hidraw nodes changed.
namespace kq {

class HidapiBackend final : public HidBackend {
    Q_OBJECT

public:
    explicit HidapiBackend(QObject *parent = nullptr);
    ~HidapiBackend() override;

    QList<HidDeviceInfo> Devices() override;
    std::unique_ptr<HidDevice> Open(const HidDeviceInfo &device) override;
    void StartWatching() override;
    void Rescan(const HidDeviceInfo &device) override;

private:
    void CheckForChanges();

    bool m_initialised = false;
    QTimer m_watchTimer;
    QByteArray m_nodesFingerprint;
    QList<HidDeviceInfo> m_known;
};

}  // namespace kq
