#include "cli/melody_input.h"

#include "cli/command.h"
#include "model/program_file.h"
#include "tools/melody/melody_file.h"

namespace kq::cli {

MelodyInput ReadMelodyInput(const QString &path)
{
    const InputLines content = ReadInputLines(path, kReadFailedMessage);
    if (!content.lines)
        return {std::nullopt, content.exitCode};
    const MelodyFileRead read = ReadMelodyFile(*content.lines);
    switch (read.result) {
    case MelodyFileRead::Result::Loaded:
        return {read.melody, kSuccess};
    case MelodyFileRead::Result::OtherStep:
        return {std::nullopt, Fail(kInvalidProgram, QStringLiteral("%1: %2").arg(path, kOtherStepFileMessage))};
    case MelodyFileRead::Result::Damaged:
        break;
    }
    return {std::nullopt, Fail(kInvalidProgram, QStringLiteral("%1: %2").arg(path, kReadFailedMessage))};
}

}  // namespace kq::cli
