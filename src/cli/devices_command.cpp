#include "cli/command.h"
#include "device/device_identity.h"
#include "device/hidapi_backend.h"

namespace kq::cli {

int RunDevices(const QStringList &arguments)
{
    if (!arguments.isEmpty())
        return Fail(kUsageOrUnreadable, QStringLiteral("usage: kq27-tool devices"));
    HidapiBackend backend;
    for (const HidDeviceInfo &device : backend.Devices())
        PrintLine(stdout, IdentificationText(device) + QLatin1Char('\t') + DescriptionOf(device));
    return kSuccess;
}

}  // namespace kq::cli
