#include "device/device_diff.h"

namespace kq {

DeviceDiff DiffDevices(const QList<HidDeviceInfo> &before, const QList<HidDeviceInfo> &after)
{
    DeviceDiff diff;
    for (const HidDeviceInfo &device : before) {
        if (!after.contains(device))
            diff.removed.append(device);
    }
    bool arrived = false;
    for (const HidDeviceInfo &device : after) {
        if (!before.contains(device)) {
            arrived = true;
            break;
        }
    }
    diff.changed = arrived || !diff.removed.isEmpty();
    return diff;
}

}  // namespace kq
