#include "cli/command.h"
#include "cli/melody_input.h"
#include "tools/melody/melody_bytes.h"
#include "tools/melody/melody_wave.h"

namespace kq::cli {

namespace {
constexpr const char *kWavUsage = "usage: kq27-tool wav FILE OUT [--last 10|20]";
}  // namespace

int RunWav(const QStringList &arguments)
{
    QStringList paths;
    PlayedNotes played = PlayedNotes::All;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == QLatin1String("--last")) {
            const QString value = i + 1 < arguments.size() ? arguments[++i] : QString();
            if (value == QLatin1String("10"))
                played = PlayedNotes::Last10;
            else if (value == QLatin1String("20"))
                played = PlayedNotes::Last20;
            else
                return Fail(kUsageOrUnreadable, QString::fromUtf8(kWavUsage));
        } else if (!argument.startsWith(QLatin1String("--")) && paths.size() < 2) {
            paths.append(argument);
        } else {
            return Fail(kUsageOrUnreadable, QString::fromUtf8(kWavUsage));
        }
    }
    if (paths.size() != 2)
        return Fail(kUsageOrUnreadable, QString::fromUtf8(kWavUsage));

    const MelodyInput read = ReadMelodyInput(paths[0]);
    if (!read.melody)
        return read.exitCode;
    const ByteList notes = PlayedNoteBytes(MelodyNoteBytes(*read.melody), played);
    if (!WriteMelodyWave(paths[1], notes, read.melody->Speed()))
        return Fail(kUsageOrUnreadable, QStringLiteral("%1: cannot be written").arg(paths[1]));
    return kSuccess;
}

}  // namespace kq::cli
