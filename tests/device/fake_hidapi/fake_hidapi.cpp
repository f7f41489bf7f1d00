#include "fake_hidapi.h"

#include <hidapi.h>

#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <deque>
#include <mutex>
#include <set>

using kq::testing::FakeHidDevice;

// One hid_open_path: bound to the device as it was plugged in then.
struct hid_device_ {
    QString path;
    int plugNumber = 0;
    std::deque<QByteArray> queue;
    bool everRead = false;
    bool readerWaiting = false;
    bool failNextRead = false;
    bool readFailed = false;
    bool writeStalled = false;
};

namespace {

struct PluggedDevice {
    FakeHidDevice info;
    int plugNumber = 0;
    bool writesStalled = false;
};

struct Machine {
    mutable std::mutex mutex;
    std::condition_variable changed;
    bool initFails = false;
    int initialised = 0;
    int enumerations = 0;
    int plugCount = 0;
    std::deque<PluggedDevice> devices;
    std::set<hid_device *> handles;
    QStringList written;
    std::function<void()> onChange;
    std::function<void(const QString &)> onOpen;

    PluggedDevice *Find(const QString &path)
    {
        const auto found = std::find_if(devices.begin(), devices.end(),
                                        [&path](const PluggedDevice &device) { return device.info.path == path; });
        return found == devices.end() ? nullptr : &*found;
    }

    // The device the handle was opened on, while it is still plugged in.
    PluggedDevice *DeviceOf(const hid_device &handle)
    {
        PluggedDevice *device = Find(handle.path);
        return device && device->plugNumber == handle.plugNumber ? device : nullptr;
    }

    // Under the lock.
    void Changed()
    {
        changed.notify_all();
        if (onChange)
            onChange();
    }

    void QueueToHandlesOf(const PluggedDevice &device, const QByteArray &report)
    {
        for (hid_device *handle : handles) {
            if (DeviceOf(*handle) == &device)
                handle->queue.push_back(report);
        }
    }
};

Machine &TheMachine()
{
    static Machine machine;
    return machine;
}

wchar_t *WideCopy(const QString &text)
{
    const std::wstring wide = text.toStdWString();
    auto *copy = static_cast<wchar_t *>(std::calloc(wide.size() + 1, sizeof(wchar_t)));
    std::wmemcpy(copy, wide.c_str(), wide.size());
    return copy;
}

QString NodeName(const QString &path)
{
    return QFileInfo(path).fileName();
}

}  // namespace

namespace kq::testing {

FakeHidapi &FakeHidapi::Instance()
{
    static FakeHidapi instance;
    return instance;
}

void FakeHidapi::Reset()
{
    Machine &m = TheMachine();
    std::lock_guard lock(m.mutex);
    m.initFails = false;
    m.devices.clear();
    m.written.clear();
    m.onChange = nullptr;
    m.onOpen = nullptr;
    m.changed.notify_all();
}

void FakeHidapi::SetInitFails(bool fails)
{
    Machine &m = TheMachine();
    std::lock_guard lock(m.mutex);
    m.initFails = fails;
}

int FakeHidapi::Initialised() const
{
    Machine &m = TheMachine();
    std::lock_guard lock(m.mutex);
    return m.initialised;
}

int FakeHidapi::EnumerationsNotFreed() const
{
    Machine &m = TheMachine();
    std::lock_guard lock(m.mutex);
    return m.enumerations;
}

void FakeHidapi::Plug(const FakeHidDevice &device)
{
    Machine &m = TheMachine();
    std::lock_guard lock(m.mutex);
    m.devices.push_back({device, ++m.plugCount, false});
    m.Changed();
}

void FakeHidapi::Unplug(const QString &path)
{
    Machine &m = TheMachine();
    std::lock_guard lock(m.mutex);
    std::erase_if(m.devices, [&path](const PluggedDevice &device) { return device.info.path == path; });
    m.Changed();
}

void FakeHidapi::SendInputReport(const QString &path, const QByteArray &report)
{
    Machine &m = TheMachine();
    std::lock_guard lock(m.mutex);
    if (const PluggedDevice *device = m.Find(path))
        m.QueueToHandlesOf(*device, report);
    m.Changed();
}

void FakeHidapi::FailReads(const QString &path)
{
    Machine &m = TheMachine();
    std::lock_guard lock(m.mutex);
    const PluggedDevice *device = m.Find(path);
    for (hid_device *handle : m.handles) {
        if (device && m.DeviceOf(*handle) == device)
            handle->failNextRead = true;
    }
    m.Changed();
}

void FakeHidapi::SetWritesStalled(const QString &path, bool stalled)
{
    Machine &m = TheMachine();
    std::lock_guard lock(m.mutex);
    if (PluggedDevice *device = m.Find(path))
        device->writesStalled = stalled;
    m.Changed();
}

QStringList FakeHidapi::Written() const
{
    Machine &m = TheMachine();
    std::lock_guard lock(m.mutex);
    return m.written;
}

int FakeHidapi::OpenHandles() const
{
    Machine &m = TheMachine();
    std::lock_guard lock(m.mutex);
    return int(m.handles.size());
}

bool FakeHidapi::IsWriteStalled(const QString &path) const
{
    Machine &m = TheMachine();
    std::lock_guard lock(m.mutex);
    return std::any_of(m.handles.begin(), m.handles.end(),
                       [&path](const hid_device *handle) { return handle->path == path && handle->writeStalled; });
}

bool FakeHidapi::ReadersIdle() const
{
    Machine &m = TheMachine();
    std::lock_guard lock(m.mutex);
    return std::all_of(m.handles.begin(), m.handles.end(), [&m](const hid_device *handle) {
        if (!handle->everRead)
            return true;
        const bool failing = handle->readFailed || handle->failNextRead || !m.DeviceOf(*handle);
        return !failing && handle->readerWaiting && handle->queue.empty();
    });
}

bool FakeHidapi::IsBeingRead(const QString &path) const
{
    Machine &m = TheMachine();
    std::lock_guard lock(m.mutex);
    return std::any_of(m.handles.begin(), m.handles.end(),
                       [&path](const hid_device *handle) { return handle->path == path && handle->everRead; });
}

bool FakeHidapi::WaitUntilAllClosed(int guardMs) const
{
    Machine &m = TheMachine();
    std::unique_lock lock(m.mutex);
    return m.changed.wait_for(lock, std::chrono::milliseconds(guardMs), [&m] { return m.handles.empty(); });
}

void FakeHidapi::SetOnChange(std::function<void()> onChange)
{
    Machine &m = TheMachine();
    std::lock_guard lock(m.mutex);
    m.onChange = std::move(onChange);
}

void FakeHidapi::SetOnOpen(std::function<void(const QString &)> onOpen)
{
    Machine &m = TheMachine();
    std::lock_guard lock(m.mutex);
    m.onOpen = std::move(onOpen);
}

}  // namespace kq::testing

// -- The hidapi calls, as the hidraw backend answers them.

int hid_init(void)
{
    Machine &m = TheMachine();
    std::lock_guard lock(m.mutex);
    if (m.initFails)
        return -1;
    ++m.initialised;
    return 0;
}

int hid_exit(void)
{
    Machine &m = TheMachine();
    std::lock_guard lock(m.mutex);
    --m.initialised;
    return 0;
}

hid_device_info *hid_enumerate(unsigned short vendor_id, unsigned short product_id)
{
    Machine &m = TheMachine();
    std::lock_guard lock(m.mutex);
    hid_device_info *first = nullptr;
    hid_device_info **next = &first;
    for (const PluggedDevice &device : m.devices) {
        if ((vendor_id && vendor_id != device.info.vendorId) || (product_id && product_id != device.info.productId))
            continue;
        auto *entry = static_cast<hid_device_info *>(std::calloc(1, sizeof(hid_device_info)));
        entry->path = strdup(device.info.path.toLocal8Bit().constData());
        entry->vendor_id = device.info.vendorId;
        entry->product_id = device.info.productId;
        entry->serial_number = WideCopy(device.info.serial);
        entry->manufacturer_string = WideCopy(QString());
        entry->product_string = WideCopy(device.info.product);
        entry->bus_type = HID_API_BUS_USB;
        *next = entry;
        next = &entry->next;
    }
    // hidapi gives no list at all when nothing is there.
    if (first)
        ++m.enumerations;
    return first;
}

void hid_free_enumeration(hid_device_info *devs)
{
    if (!devs)
        return;
    Machine &m = TheMachine();
    {
        std::lock_guard lock(m.mutex);
        --m.enumerations;
    }
    while (devs) {
        hid_device_info *next = devs->next;
        std::free(devs->path);
        std::free(devs->serial_number);
        std::free(devs->manufacturer_string);
        std::free(devs->product_string);
        std::free(devs);
        devs = next;
    }
}

hid_device *hid_open_path(const char *path)
{
    Machine &m = TheMachine();
    const QString devicePath = QString::fromLocal8Bit(path);
    int error = 0;
    hid_device *handle = nullptr;
    {
        std::lock_guard lock(m.mutex);
        const PluggedDevice *device = m.Find(devicePath);
        if (!device) {
            error = ENOENT;
        } else if (device->info.accessDenied) {
            error = EACCES;
        } else {
            handle = new hid_device;
            handle->path = devicePath;
            handle->plugNumber = device->plugNumber;
            m.handles.insert(handle);
        }
        if (m.onOpen) {
            const QString outcome = error == ENOENT ? QStringLiteral(" missing")
                : error == EACCES                   ? QStringLiteral(" denied")
                                                    : QString();
            m.onOpen(NodeName(devicePath) + outcome);
        }
    }
    // Last, so nothing after it overwrites the reason, as open() leaves it.
    if (!handle)
        errno = error;
    return handle;
}

void hid_close(hid_device *dev)
{
    Machine &m = TheMachine();
    std::lock_guard lock(m.mutex);
    m.handles.erase(dev);
    delete dev;
    m.Changed();
}

int hid_write(hid_device *dev, const unsigned char *data, size_t length)
{
    Machine &m = TheMachine();
    std::unique_lock lock(m.mutex);
    PluggedDevice *device = m.DeviceOf(*dev);
    if (device && device->writesStalled) {
        dev->writeStalled = true;
        m.Changed();
        m.changed.wait(lock, [&] {
            device = m.DeviceOf(*dev);
            return !device || !device->writesStalled;
        });
        dev->writeStalled = false;
    }
    if (!device || device->info.writesRefused || length < 2) {
        m.Changed();
        return -1;
    }
    // The report ID, then the data bytes, each carrying the item.
    const int item = data[1];
    m.written.append(NodeName(dev->path) + QLatin1Char(' ') + QString::number(item));
    const auto answer = device->info.answers.find(item);
    if (answer != device->info.answers.end()) {
        for (const QByteArray &report : answer->second)
            m.QueueToHandlesOf(*device, report);
    }
    m.Changed();
    return int(length);
}

int hid_read_timeout(hid_device *dev, unsigned char *data, size_t length, int milliseconds)
{
    Machine &m = TheMachine();
    std::unique_lock lock(m.mutex);
    dev->everRead = true;
    dev->readFailed = false;
    dev->readerWaiting = true;
    m.Changed();
    m.changed.wait_for(lock, std::chrono::milliseconds(milliseconds),
                       [&] { return !dev->queue.empty() || dev->failNextRead || !m.DeviceOf(*dev); });
    dev->readerWaiting = false;
    if (dev->failNextRead || !m.DeviceOf(*dev)) {
        dev->failNextRead = false;
        dev->readFailed = true;
        m.Changed();
        return -1;
    }
    if (dev->queue.empty())
        return 0;
    const QByteArray report = dev->queue.front();
    dev->queue.pop_front();
    const size_t count = std::min(length, size_t(report.size()));
    std::memcpy(data, report.constData(), count);
    m.Changed();
    return int(count);
}
