#include "base/text_file.h"
#include "cli/command.h"
#include "tools/melody/melody_bytes.h"
#include "tools/melody/melody_file.h"

namespace kq::cli {

namespace {
constexpr const char *kReadBackUsage = "usage: kq27-tool melody-readback DUMP OUT";
}  // namespace

int RunMelodyReadBack(const QStringList &arguments)
{
    if (arguments.size() != 2 || arguments[0].startsWith(QLatin1String("--"))
        || arguments[1].startsWith(QLatin1String("--")))
        return Fail(kUsageOrUnreadable, QString::fromUtf8(kReadBackUsage));
    const QString &dumpPath = arguments[0];
    const std::optional<TextFileContent> dump = ReadTextLines(dumpPath);
    if (!dump)
        return Fail(kUsageOrUnreadable, QStringLiteral("%1: cannot be read").arg(dumpPath));
    const std::optional<Melody> melody = DecodeMelodyMemory(dump->lines);
    if (!melody)
        return Fail(
            kInvalidProgram,
            QStringLiteral("%1: no melody (no start byte E6, or the dump ends before the notes)").arg(dumpPath));
    if (!WriteTextLines(arguments[1], MelodyFileLines(*melody)))
        return Fail(kUsageOrUnreadable, QStringLiteral("%1: cannot be written").arg(arguments[1]));
    return kSuccess;
}

}  // namespace kq::cli
