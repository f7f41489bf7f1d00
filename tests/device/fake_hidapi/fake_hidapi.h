#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>

// The hidapi the hardware tests link in place of Debian's: a scripted
// machine with HID devices on it, below the real backend. Process-wide, as
// hidapi's own state is; every call is safe from any thread.
namespace kq::testing {

// A device as hid_enumerate lists it, and how it behaves while plugged in.
struct FakeHidDevice {
    QString path;  // "/dev/hidraw3"
    quint16 vendorId = 0;
    quint16 productId = 0;
    QString product;
    QString serial;
    // hid_open_path fails with EACCES, as for a node without a udev rule.
    bool accessDenied = false;
    // hid_write fails, as for a device that takes no output reports.
    bool writesRefused = false;
    // When an output report carrying an item (its first data byte) is
    // written, the input reports the device answers with.
    std::map<int, QList<QByteArray>> answers;
};

class FakeHidapi final {
public:
    static FakeHidapi &Instance();

    // An empty machine, nothing scripted; handles still open stay dead.
    void Reset();
    void SetInitFails(bool fails);
    // hid_init calls not yet ended by hid_exit.
    int Initialised() const;
    // Lists hid_enumerate gave and hid_free_enumeration has not freed.
    int EnumerationsNotFreed() const;

    // Appended to the enumeration.
    void Plug(const FakeHidDevice &device);
    // Gone from the enumeration; the handles opened before fail from now on,
    // also when a device comes back under the same path.
    void Unplug(const QString &path);

    // To every open handle of the device, as hidraw hands each input report
    // to every reader.
    void SendInputReport(const QString &path, const QByteArray &report);
    // The next read of each open handle of the device fails, as when the
    // cable is pulled out.
    void FailReads(const QString &path);
    // On: a write blocks until stalling ends or the device is unplugged.
    void SetWritesStalled(const QString &path, bool stalled);

    // "hidraw3 240": each item the devices took (first data byte), in order.
    QStringList Written() const;
    int OpenHandles() const;
    // A write of this device is blocked in hid_write.
    bool IsWriteStalled(const QString &path) const;
    // Every handle that has been read from is waited on by its reader, with
    // nothing queued: each report was handed over. One whose read failed,
    // or will as its device is gone, counts once it is closed, as the
    // device is given up then.
    bool ReadersIdle() const;
    // A handle of the device has been read from: its reader thread runs.
    bool IsBeingRead(const QString &path) const;
    // Waits (guardMs at most) until no handle is open; false on time-out.
    bool WaitUntilAllClosed(int guardMs) const;

    // Called after every change a test may wait for, from the thread that
    // made it (a reader or writer thread, or the test's).
    void SetOnChange(std::function<void()> onChange);
    // hid_open_path's attempts: "hidraw3", "hidraw3 denied" or "hidraw3 missing".
    void SetOnOpen(std::function<void(const QString &attempt)> onOpen);

private:
    FakeHidapi() = default;
};

}  // namespace kq::testing
