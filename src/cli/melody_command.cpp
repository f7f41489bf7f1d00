#include "cli/command.h"
#include "cli/melody_input.h"
#include "device/device_commands.h"
#include "model/encoder.h"
#include "tools/melody/melody_bytes.h"

namespace kq::cli {

namespace {
constexpr const char *kMelodyUsage = "usage: kq27-tool melody FILE";
}  // namespace

int RunMelody(const QStringList &arguments)
{
    if (arguments.size() != 1 || arguments.constFirst().startsWith(QLatin1String("--")))
        return Fail(kUsageOrUnreadable, QString::fromUtf8(kMelodyUsage));
    const MelodyInput read = ReadMelodyInput(arguments.constFirst());
    if (!read.melody)
        return read.exitCode;
    for (const QString &item : ByteListTexts(MelodyTransferItems(MelodyBytes(*read.melody))))
        PrintLine(stdout, item);
    return kSuccess;
}

}  // namespace kq::cli
