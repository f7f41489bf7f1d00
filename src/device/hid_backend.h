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

// An opened device. Written and read from the thread that opened it; input
// reports are handed to that thread's event loop.
class HidDevice {
public:
    using ReportHandler = std::function<void(const InputReport &)>;
    using ErrorHandler = std::function<void()>;

    virtual ~HidDevice() = default;

    // Report byte lengths, each including the report-ID byte.
    virtual int outputReportLength() const = 0;
    virtual int inputReportLength() const = 0;

    // One output report: the report ID followed by the data bytes.
    virtual bool WriteReport(const QByteArray &report) = 0;

    // Hands every input report to onReport until StopReading; a read error is
    // handed to onError once and ends reading. Does nothing while reading.
    virtual void StartReading(ReportHandler onReport, ErrorHandler onError) = 0;
    // Returns once no report will be handed over any more.
    virtual void StopReading() = 0;
    virtual bool isReading() const = 0;
};

// The HID devices present and their arrival and removal.
class HidBackend : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    virtual QList<HidDeviceInfo> Devices() = 0;
    // nullptr when the device cannot be opened (gone, no access, unknown
    // report lengths).
    virtual std::unique_ptr<HidDevice> Open(const HidDeviceInfo &device) = 0;
    // Raises DevicesChanged at once, then watches for arrival and removal.
    virtual void StartWatching() = 0;

signals:
    // Each device that left, before the DevicesChanged that follows.
    void DeviceRemoved(const kq::HidDeviceInfo &device);
    void DevicesChanged();
};

}  // namespace kq
