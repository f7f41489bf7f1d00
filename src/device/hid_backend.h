#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

// The HID access the device link needs, kept behind an interface so the link
// runs against hidapi in the studio and against the VirtualClock in tests.
namespace kq {

struct HidDeviceInfo {
    quint16 vendorId = 0;
    quint16 productId = 0;
    QString product;  // the product string; may be empty
    QString serial;   // the serial-number string; may be empty
    QString path;     // identifies the device to Open

    bool operator==(const HidDeviceInfo &) const = default;
};

// One input report as the device sent it.
struct InputReport {
    int reportId = 0;
    QByteArray data;  // the bytes after the report ID
};

// How the output report begun last went.
enum class WriteStatus { Written, Pending, Failed };

// An opened device, used from the thread that opened it; input reports are
// handed to that thread's event loop.
class HidDevice {
public:
    using ReportHandler = std::function<void(const InputReport &)>;
    using ErrorHandler = std::function<void()>;

    virtual ~HidDevice() = default;

    // Report byte lengths, each including the report-ID byte.
    virtual int OutputReportLength() const = 0;
    virtual int InputReportLength() const = 0;

    // Starts writing one output report (the report ID, then the data bytes)
    // and returns at once: a USB write that blocks never holds the caller.
    // Begin the next one only when LastWrite() is no longer Pending.
    virtual void BeginWrite(const QByteArray &report) = 0;
    // Written before the first write.
    [[nodiscard]] virtual WriteStatus LastWrite() const = 0;

    // Hands every input report to onReport until StopReading; a read error is
    // handed to onError once and ends reading. Does nothing while reading.
    virtual void StartReading(ReportHandler onReport, ErrorHandler onError) = 0;
    // Returns once no report will be handed over any more.
    virtual void StopReading() = 0;
    virtual bool IsReading() const = 0;
};

// What opening a device gave: the device, or why there is none.
struct OpenedDevice {
    std::unique_ptr<HidDevice> device;  // nullptr when it could not be opened
    // It is there, but this user may not open it (no udev rule yet): not to
    // be taken for a clock that is missing.
    bool accessDenied = false;
};

// The HID devices present and their arrival and removal.
class HidBackend : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    virtual QList<HidDeviceInfo> Devices() = 0;
    // No device when it cannot be opened (gone, no access, unknown report
    // lengths).
    [[nodiscard]] virtual OpenedDevice Open(const HidDeviceInfo &device) = 0;
    // Raises DevicesChanged at once, then watches for arrival and removal.
    virtual void StartWatching() = 0;
    // A handle of device failed: it was pulled out, perhaps plugged in again
    // before the watcher looked. The next look enumerates afresh, announces
    // device as arrived if it is there, and raises DevicesChanged either way.
    virtual void Rescan(const HidDeviceInfo &device) = 0;

signals:
    // Each device that left, before the DevicesChanged that follows.
    void DeviceRemoved(const kq::HidDeviceInfo &device);
    void DevicesChanged();
};

}  // namespace kq
