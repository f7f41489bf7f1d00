#include "fake_hid_machine.h"

#include "device/device_identity.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTimer>

#include <gtest/gtest.h>

#include <thread>

namespace kq::testing {

namespace {
// Only a fault waits this long: every wait ends on a change long before.
constexpr int kGuardMs = 10000;
}  // namespace

FakeHidMachine::FakeHidMachine()
{
    Hid().Reset();
    QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance();
    Hid().SetOnChange([dispatcher] { dispatcher->wakeUp(); });
    EXPECT_TRUE(QDir().mkpath(SysfsRoot()));
}

FakeHidMachine::~FakeHidMachine()
{
    EXPECT_TRUE(Hid().WaitUntilAllClosed(kGuardMs)) << "a handle was left open";
    Hid().Reset();
}

QString FakeHidMachine::SysfsRoot() const
{
    return m_root.path() + QStringLiteral("/class/hidraw");
}

void FakeHidMachine::Plug(const QString &node, const QString &port, FakeHidDevice device, const QByteArray &descriptor)
{
    const QString deviceFolder = m_root.path() + QStringLiteral("/devices/") + port + QLatin1Char('/') + node;
    ASSERT_TRUE(QDir().mkpath(deviceFolder + QStringLiteral("/device")));
    if (!descriptor.isNull()) {
        QFile file(deviceFolder + QStringLiteral("/device/report_descriptor"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(descriptor);
    }
    ASSERT_TRUE(QFile::link(deviceFolder, SysfsRoot() + QLatin1Char('/') + node));
    device.path = DevicePath(node);
    Hid().Plug(device);
}

void FakeHidMachine::Unplug(const QString &node)
{
    const QString link = SysfsRoot() + QLatin1Char('/') + node;
    ASSERT_TRUE(QDir(QFileInfo(link).symLinkTarget()).removeRecursively());
    ASSERT_TRUE(QFile::remove(link));
    Hid().Unplug(DevicePath(node));
}

void FakeHidMachine::PumpUntil(const std::function<bool()> &done)
{
    const QDeadlineTimer deadline(kGuardMs);
    // Wakes the last wait should nothing else.
    QTimer guard;
    guard.setSingleShot(true);
    guard.start(kGuardMs);
    while (!done()) {
        if (deadline.hasExpired()) {
            ADD_FAILURE() << "the awaited state never came";
            return;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

FakeHidDevice ClockDevice(const QString &product, const QString &serial)
{
    FakeHidDevice clock;
    clock.vendorId = kClockVendorId;
    clock.productId = kClockProductId;
    clock.product = product;
    clock.serial = serial;
    return clock;
}

FakeHidDevice KeyboardDevice()
{
    FakeHidDevice keyboard;
    keyboard.vendorId = 0x046D;
    keyboard.productId = 0xC31C;
    keyboard.product = QStringLiteral("USB Keyboard");
    return keyboard;
}

WriteStatus FakeHidMachine::SettledWrite(const HidDevice &device, const QString &path)
{
    // The writer thread sets the status after hid_write returns, and says
    // nothing when it has: the test yields to it until then.
    const QDeadlineTimer deadline(kGuardMs);
    while (device.LastWrite() == WriteStatus::Pending && !FakeHidapi::Instance().IsWriteStalled(path)) {
        if (deadline.hasExpired()) {
            ADD_FAILURE() << "the write never ended";
            break;
        }
        std::this_thread::yield();
    }
    return device.LastWrite();
}

}  // namespace kq::testing
