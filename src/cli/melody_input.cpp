#include "cli/melody_input.h"

#include "base/text_file.h"
#include "cli/command.h"
#include "model/program_file.h"
#include "tools/melody/melody_file.h"

namespace kq::cli {

MelodyInput ReadMelodyInput(const QString &path)
{
    const std::optional<TextFileContent> content = ReadTextLines(path);
    if (!content)
        return {std::nullopt, Fail(kUsageOrUnreadable, QStringLiteral("%1: cannot be read").arg(path))};
    if (content->hasDecodingErrors)
        return {std::nullopt, Fail(kInvalidProgram, QStringLiteral("%1: %2").arg(path, kReadFailedMessage))};
    const MelodyFileRead read = ReadMelodyFile(content->lines);
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
