#pragma once

#include "device/hid_backend.h"
#include "fake_hidapi/fake_hidapi.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <functional>

// A machine for the real hidapi backend: the fake hidapi's devices, and the
// sysfs tree beside them where the backend reads each hidraw node's report
// descriptor and watches the nodes come and go.
namespace kq::testing {

// The hidraw node the clock is plugged in as.
inline const QString kClockNode = QStringLiteral("hidraw3");

// The descriptors of the devices the tests plug in.
namespace descriptor {
// Vendor page, no report IDs: input reports of 2 data bytes, output
// reports of 8 (3 and 9 bytes with the ID byte).
inline const QByteArray kClock = QByteArray::fromHex("06a0ff0901a101090215002600ff750895028102090395089102c0");
// A boot keyboard with report ID 1: 8-byte input, 1-byte output (LEDs).
inline const QByteArray kKeyboard =
    QByteArray::fromHex("05010906a1018501050719e029e715002501750195088102950175088101950575010508190129059102"
                        "95017503910195067508150025650507190029658100c0");
// Ends inside an item: the parser refuses it.
inline const QByteArray kTruncated = QByteArray::fromHex("06a0ff0901a1010902150026");
// Input reports only: nothing can be sent to it.
inline const QByteArray kInputOnly = QByteArray::fromHex("06a0ff0901a101090215002600ff750895028102c0");
}  // namespace descriptor

class FakeHidMachine final {
public:
    FakeHidMachine();
    // Waits until the handles are closed (a writer thread closes its own),
    // then empties the fake hidapi for the next test.
    ~FakeHidMachine();
    FakeHidMachine(const FakeHidMachine &) = delete;
    FakeHidMachine &operator=(const FakeHidMachine &) = delete;

    FakeHidapi &Hid() { return FakeHidapi::Instance(); }
    // The backend's hidraw folder.
    QString SysfsRoot() const;

    // The node ("hidraw3") links to a folder of the USB port ("1-1"), so a
    // node coming back under the same name and port looks the same, and
    // one on another port does not. A null descriptor leaves the file out.
    void Plug(const QString &node, const QString &port, FakeHidDevice device, const QByteArray &descriptor);
    void Unplug(const QString &node);

    // Pumps the events of this thread until done() holds; fails the test
    // after a guard time. Woken by every change of the fake hidapi.
    static void PumpUntil(const std::function<bool()> &done);
    // How the write begun last on device (at path) went, once the writer
    // thread has seen it through or it is blocked in a stalled write.
    static WriteStatus SettledWrite(const HidDevice &device, const QString &path);

private:
    QTemporaryDir m_root;
};

inline QString DevicePath(const QString &node)
{
    return QStringLiteral("/dev/") + node;
}

// The clock (21CF 0002) with its product and serial strings; it answers
// nothing until answers are scripted.
FakeHidDevice ClockDevice(const QString &product = QString(), const QString &serial = QString());
// A keyboard, 046D C31C "USB Keyboard".
FakeHidDevice KeyboardDevice();

}  // namespace kq::testing
