#include "device/device_commands.h"
#include "device/device_identity.h"
#include "device/device_listing.h"
#include "device/hidapi_backend.h"
#include "fake_hid_machine.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <thread>

// The real hidapi backend and its device over the fake hidapi and a sysfs
// tree: what a clock on a USB port goes through.
namespace kq {
namespace {

using testing::ClockDevice;
using testing::FakeHidDevice;
using testing::FakeHidMachine;
using testing::KeyboardDevice;
namespace descriptor = testing::descriptor;

using testing::kClockNode;
const QString kClockPath = testing::DevicePath(kClockNode);

HidDeviceInfo InfoOf(const FakeHidDevice &device, const QString &node)
{
    return {device.vendorId, device.productId, device.product, device.serial, testing::DevicePath(node)};
}

class HidapiPathTest : public ::testing::Test {
protected:
    HidapiPathTest()
    {
        machine.Hid().SetOnOpen([this](const QString &attempt) { opens.append(attempt); });
    }

    FakeHidMachine machine;
    QStringList opens;
};

TEST_F(HidapiPathTest, EnumeratesEveryDeviceWithItsStringsAndFreesTheList)
{
    machine.Plug(QStringLiteral("hidraw0"), QStringLiteral("1-1"), KeyboardDevice(), descriptor::kKeyboard);
    machine.Plug(kClockNode, QStringLiteral("1-2"), ClockDevice(kOlderClockProduct, QStringLiteral("0001")),
                 descriptor::kClock);
    machine.Plug(QStringLiteral("hidraw4"), QStringLiteral("1-3"), ClockDevice(kOtherModelProduct), descriptor::kClock);
    {
        HidapiBackend backend(machine.SysfsRoot());
        EXPECT_EQ(machine.Hid().Initialised(), 1);
        const QList<HidDeviceInfo> expected {
            InfoOf(KeyboardDevice(), QStringLiteral("hidraw0")),
            InfoOf(ClockDevice(kOlderClockProduct, QStringLiteral("0001")), kClockNode),
            InfoOf(ClockDevice(kOtherModelProduct), QStringLiteral("hidraw4")),
        };
        EXPECT_TRUE(backend.Devices() == expected);
        EXPECT_EQ(machine.Hid().EnumerationsNotFreed(), 0);
        EXPECT_TRUE(opens.isEmpty());
    }
    EXPECT_EQ(machine.Hid().Initialised(), 0);
}

TEST_F(HidapiPathTest, WithoutHidapiNothingIsThere)
{
    machine.Plug(kClockNode, QStringLiteral("1-2"), ClockDevice(), descriptor::kClock);
    machine.Hid().SetInitFails(true);
    {
        HidapiBackend backend(machine.SysfsRoot());
        EXPECT_TRUE(backend.Devices().isEmpty());
        EXPECT_FALSE(backend.Open(InfoOf(ClockDevice(), kClockNode)).device);
    }
    // Never initialised, never ended.
    EXPECT_EQ(machine.Hid().Initialised(), 0);
    EXPECT_TRUE(opens.isEmpty());
}

// -- The watch: what one look after StartWatching announces.

struct WatchCase {
    const char *name;
    std::function<void(FakeHidMachine &, HidapiBackend &)> betweenLooks;
    QStringList announced;
};

class WatchTest : public HidapiPathTest, public ::testing::WithParamInterface<WatchCase> {};

const WatchCase kWatchCases[] = {
    {"NothingChanged", [](FakeHidMachine &, HidapiBackend &) {}, {}},
    {"AKeyboardArrives",
     [](FakeHidMachine &m, HidapiBackend &) {
         m.Plug(QStringLiteral("hidraw5"), QStringLiteral("1-4"), KeyboardDevice(), descriptor::kKeyboard);
     },
     {"changed"}},
    {"TheClockLeaves",
     [](FakeHidMachine &m, HidapiBackend &) { m.Unplug(kClockNode); },
     {"removed /dev/hidraw3", "changed"}},
    // Same node, same port: the nodes look as before, so the look skips
    // the enumeration.
    {"TheClockIsBackOnTheSameNodeUnnoticed",
     [](FakeHidMachine &m, HidapiBackend &) {
         m.Unplug(kClockNode);
         m.Plug(kClockNode, QStringLiteral("1-2"), ClockDevice(), descriptor::kClock);
     },
     {}},
    // ... unless a handle of it failed meanwhile.
    {"TheClockIsBackOnTheSameNodeAfterItsHandleFailed",
     [](FakeHidMachine &m, HidapiBackend &backend) {
         m.Unplug(kClockNode);
         m.Plug(kClockNode, QStringLiteral("1-2"), ClockDevice(), descriptor::kClock);
         backend.Rescan(InfoOf(ClockDevice(), kClockNode));
     },
     {"changed"}},
    // A failed handle is a change even when the device is gone for good:
    // another clock may take its place.
    {"TheClocksHandleFailedAndItIsGone",
     [](FakeHidMachine &m, HidapiBackend &backend) {
         m.Unplug(kClockNode);
         backend.Rescan(InfoOf(ClockDevice(), kClockNode));
     },
     {"changed"}},
    {"TheClockIsBackOnAnotherNode",
     [](FakeHidMachine &m, HidapiBackend &) {
         m.Unplug(kClockNode);
         m.Plug(QStringLiteral("hidraw4"), QStringLiteral("1-2"), ClockDevice(), descriptor::kClock);
     },
     {"removed /dev/hidraw3", "changed"}},
    {"AKeyboardTakesTheClocksNode",
     [](FakeHidMachine &m, HidapiBackend &) {
         m.Unplug(kClockNode);
         m.Plug(kClockNode, QStringLiteral("1-4"), KeyboardDevice(), descriptor::kKeyboard);
     },
     {"removed /dev/hidraw3", "changed"}},
};

TEST_P(WatchTest, OneLookAnnouncesWhatLeftThenOneChange)
{
    machine.Plug(QStringLiteral("hidraw0"), QStringLiteral("1-1"), KeyboardDevice(), descriptor::kKeyboard);
    machine.Plug(kClockNode, QStringLiteral("1-2"), ClockDevice(), descriptor::kClock);
    HidapiBackend backend(machine.SysfsRoot());
    QStringList announced;
    QObject::connect(&backend, &HidBackend::DeviceRemoved,
                     [&](const HidDeviceInfo &device) { announced.append(QStringLiteral("removed ") + device.path); });
    QObject::connect(&backend, &HidBackend::DevicesChanged, [&] { announced.append(QStringLiteral("changed")); });

    backend.StartWatching();
    EXPECT_EQ(announced, QStringList {"changed"});
    const auto *watch = backend.findChild<QTimer *>();
    ASSERT_NE(watch, nullptr);
    EXPECT_TRUE(watch->isActive());
    EXPECT_EQ(watch->interval(), HidapiBackend::kWatchIntervalMs);
    EXPECT_EQ(HidapiBackend::kWatchIntervalMs, 1000);

    announced.clear();
    GetParam().betweenLooks(machine, backend);
    backend.CheckForChanges();
    EXPECT_EQ(announced, GetParam().announced);
    // The look after sees nothing new.
    announced.clear();
    backend.CheckForChanges();
    EXPECT_TRUE(announced.isEmpty());
    EXPECT_TRUE(opens.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(HidapiPath, WatchTest, ::testing::ValuesIn(kWatchCases),
                         [](const auto &info) { return std::string(info.param.name); });

// -- Opening: the report lengths come from the node's descriptor.

struct OpenCase {
    const char *name;
    FakeHidDevice device;
    QByteArray descriptor;
    bool opens;
    int outputLength;
    int inputLength;
};

class OpenTest : public HidapiPathTest, public ::testing::WithParamInterface<OpenCase> {};

const OpenCase kOpenCases[] = {
    {"Clock", ClockDevice(), descriptor::kClock, true, 9, 3},
    {"KeyboardWithReportIds", KeyboardDevice(), descriptor::kKeyboard, true, 2, 9},
    {"TruncatedDescriptor", ClockDevice(), descriptor::kTruncated, false, 0, 0},
    {"NoOutputReport", ClockDevice(), descriptor::kInputOnly, false, 0, 0},
    {"NoDescriptorFile", ClockDevice(), QByteArray(), false, 0, 0},
};

TEST_P(OpenTest, LengthsFromTheDescriptorOrNotOpenedAtAll)
{
    const OpenCase &c = GetParam();
    machine.Plug(kClockNode, QStringLiteral("1-2"), c.device, c.descriptor);
    HidapiBackend backend(machine.SysfsRoot());
    OpenedDevice opened = backend.Open(InfoOf(c.device, kClockNode));
    EXPECT_FALSE(opened.accessDenied);
    ASSERT_EQ(opened.device != nullptr, c.opens);
    if (!c.opens) {
        // Refused before hidapi is asked.
        EXPECT_TRUE(opens.isEmpty());
        return;
    }
    // A handle for the writer, one for the reader.
    EXPECT_EQ(opens, QStringList({kClockNode, kClockNode}));
    EXPECT_EQ(opened.device->OutputReportLength(), c.outputLength);
    EXPECT_EQ(opened.device->InputReportLength(), c.inputLength);
    EXPECT_EQ(machine.Hid().OpenHandles(), 2);
}

INSTANTIATE_TEST_SUITE_P(HidapiPath, OpenTest, ::testing::ValuesIn(kOpenCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(HidapiPathTest, ANodeWithoutPermissionIsToldApartFromAMissingOne)
{
    FakeHidDevice denied = ClockDevice();
    denied.accessDenied = true;
    machine.Plug(kClockNode, QStringLiteral("1-2"), denied, descriptor::kClock);
    HidapiBackend backend(machine.SysfsRoot());
    OpenedDevice opened = backend.Open(InfoOf(denied, kClockNode));
    EXPECT_FALSE(opened.device);
    EXPECT_TRUE(opened.accessDenied);

    // Gone from hidapi, its sysfs node still there.
    machine.Hid().Unplug(kClockPath);
    opened = backend.Open(InfoOf(denied, kClockNode));
    EXPECT_FALSE(opened.device);
    EXPECT_FALSE(opened.accessDenied);
    EXPECT_EQ(opens, QStringList({"hidraw3 denied", "hidraw3 missing"}));
}

TEST_F(HidapiPathTest, DeviceListingMarksTheClockThisUserMayNotOpen)
{
    FakeHidDevice denied = ClockDevice(kOlderClockProduct);
    denied.accessDenied = true;
    FakeHidDevice deniedKeyboard = KeyboardDevice();
    deniedKeyboard.accessDenied = true;
    machine.Plug(QStringLiteral("hidraw0"), QStringLiteral("1-1"), deniedKeyboard, descriptor::kKeyboard);
    machine.Plug(kClockNode, QStringLiteral("1-2"), ClockDevice(QString(), QStringLiteral("7")), descriptor::kClock);
    machine.Plug(QStringLiteral("hidraw4"), QStringLiteral("1-3"), denied, descriptor::kClock);
    HidapiBackend backend(machine.SysfsRoot());
    EXPECT_EQ(DeviceListing(backend),
              QStringList({
                  "046D C31C\tUSB Keyboard",
                  "21CF 0002\tDevice VID=21CF PID=0002 (Serial=7)",
                  "21CF 0002\tTL-6\tnot accessible",
              }));
    // Only the clocks were opened, and closed again.
    EXPECT_EQ(opens, QStringList({"hidraw3", "hidraw3", "hidraw4 denied"}));
}

// -- The reader and writer threads over the opened handles.

struct ReadCase {
    const char *name;
    FakeHidDevice device;
    QByteArray descriptor;
    QByteArray sent;  // as hidraw hands it over
    int reportId;
    QByteArray data;
    bool unplugged;  // else the read fails with the device still there
};

class ReadTest : public HidapiPathTest, public ::testing::WithParamInterface<ReadCase> {};

const ReadCase kReadCases[] = {
    {"ClockUnplugged", ClockDevice(), descriptor::kClock, QByteArray::fromHex("1234"), 0, QByteArray::fromHex("1234"),
     true},
    {"KeyboardReadFails", KeyboardDevice(), descriptor::kKeyboard, QByteArray::fromHex("010200040000000000"), 1,
     QByteArray::fromHex("0200040000000000"), false},
};

TEST_P(ReadTest, ReportsInOrderOnTheUserInterfaceThreadThenOneError)
{
    const ReadCase &c = GetParam();
    machine.Plug(kClockNode, QStringLiteral("1-2"), c.device, c.descriptor);
    HidapiBackend backend(machine.SysfsRoot());
    std::unique_ptr<HidDevice> device = backend.Open(InfoOf(c.device, kClockNode)).device;
    ASSERT_TRUE(device);
    QList<InputReport> reports;
    int errors = 0;
    const std::thread::id userInterface = std::this_thread::get_id();
    device->StartReading(
        [&](const InputReport &report) {
            EXPECT_EQ(std::this_thread::get_id(), userInterface);
            reports.append(report);
        },
        [&] { ++errors; });
    EXPECT_TRUE(device->IsReading());
    machine.Hid().SendInputReport(kClockPath, c.sent);
    machine.Hid().SendInputReport(kClockPath, c.sent);
    FakeHidMachine::PumpUntil([&] { return reports.size() == 2; });
    for (const InputReport &report : reports) {
        EXPECT_EQ(report.reportId, c.reportId);
        EXPECT_EQ(report.data, c.data);
    }

    if (c.unplugged)
        machine.Unplug(kClockNode);
    else
        machine.Hid().FailReads(kClockPath);
    FakeHidMachine::PumpUntil([&] { return errors > 0; });
    EXPECT_EQ(errors, 1);
    EXPECT_FALSE(device->IsReading());
    EXPECT_EQ(reports.size(), 2);
}

INSTANTIATE_TEST_SUITE_P(HidapiPath, ReadTest, ::testing::ValuesIn(kReadCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(HidapiPathTest, WriterThreadTakesEachReportOrFails)
{
    FakeHidDevice refusing = KeyboardDevice();
    refusing.writesRefused = true;
    machine.Plug(kClockNode, QStringLiteral("1-2"), ClockDevice(), descriptor::kClock);
    machine.Plug(QStringLiteral("hidraw0"), QStringLiteral("1-1"), refusing, descriptor::kKeyboard);
    HidapiBackend backend(machine.SysfsRoot());
    std::unique_ptr<HidDevice> clock = backend.Open(InfoOf(ClockDevice(), kClockNode)).device;
    std::unique_ptr<HidDevice> keyboard = backend.Open(InfoOf(refusing, QStringLiteral("hidraw0"))).device;
    ASSERT_TRUE(clock && keyboard);
    EXPECT_EQ(clock->LastWrite(), WriteStatus::Written);

    for (int item : {240, 250}) {
        clock->BeginWrite(OutputReport(item, clock->OutputReportLength()));
        EXPECT_EQ(FakeHidMachine::SettledWrite(*clock, kClockPath), WriteStatus::Written);
    }
    keyboard->BeginWrite(OutputReport(1, keyboard->OutputReportLength()));
    EXPECT_EQ(FakeHidMachine::SettledWrite(*keyboard, QStringLiteral("/dev/hidraw0")), WriteStatus::Failed);

    machine.Unplug(kClockNode);
    clock->BeginWrite(OutputReport(241, clock->OutputReportLength()));
    EXPECT_EQ(FakeHidMachine::SettledWrite(*clock, kClockPath), WriteStatus::Failed);
    EXPECT_EQ(machine.Hid().Written(), QStringList({"hidraw3 240", "hidraw3 250"}));
}

TEST_F(HidapiPathTest, AStalledWriteDoesNotHoldUpClosingTheDevice)
{
    machine.Plug(kClockNode, QStringLiteral("1-2"), ClockDevice(), descriptor::kClock);
    HidapiBackend backend(machine.SysfsRoot());
    std::unique_ptr<HidDevice> clock = backend.Open(InfoOf(ClockDevice(), kClockNode)).device;
    ASSERT_TRUE(clock);
    clock->StartReading([](const InputReport &) {}, [] {});
    machine.Hid().SetWritesStalled(kClockPath, true);
    clock->BeginWrite(OutputReport(240, clock->OutputReportLength()));
    EXPECT_EQ(FakeHidMachine::SettledWrite(*clock, kClockPath), WriteStatus::Pending);

    // Returns at once: the read handle is closed, the write handle only
    // when its write ends, here by the clock being pulled out.
    clock.reset();
    EXPECT_EQ(machine.Hid().OpenHandles(), 1);
    machine.Unplug(kClockNode);
    EXPECT_TRUE(machine.Hid().WaitUntilAllClosed(10000));
    EXPECT_TRUE(machine.Hid().Written().isEmpty());
}

}  // namespace
}  // namespace kq
