#include "cli/command.h"
#include "device/device_listing.h"
#include "device/hidapi_backend.h"

namespace kq::cli {

int RunDevices(const QStringList &arguments)
{
    if (!arguments.isEmpty())
        return Fail(kUsageOrUnreadable, QStringLiteral("usage: kq27-tool devices"));
    HidapiBackend backend;
    for (const QString &line : DeviceListing(backend))
        PrintLine(stdout, line);
    return kSuccess;
}

}  // namespace kq::cli
