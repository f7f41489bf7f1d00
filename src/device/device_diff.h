#pragma once

#include "device/hid_backend.h"

#include <QList>

// Arrival and removal found by comparing two enumerations, for platforms
// that give no notification of their own.
namespace kq {

struct DeviceDiff {
    QList<HidDeviceInfo> removed;  // in the order of the earlier enumeration
    bool changed = false;          // something left or arrived
};

DeviceDiff DiffDevices(const QList<HidDeviceInfo> &before, const QList<HidDeviceInfo> &after);

}  // namespace kq
