#include "cli/icon_input.h"

#include "cli/command.h"
#include "editors/icon/icon_program.h"
#include "editors/icon/icon_section.h"
#include "model/program_lines.h"

namespace kq::cli {

IconInputResult ReadIconInput(const QString &path, const ProgramFileParts &parts, int generation)
{
    IconRow row;
    if (!ReadIconSection(parts.section, generation, row)) {
        if (parts.firstLine == kInvalidProgramMark)
            return{std::nullopt, Fail(kInvalidProgram, kCannotHandOverMessage)};
        return{std::nullopt, Fail(kInvalidProgram, QStringLiteral("%1: %2").arg(path, kReadFailedMessage))};
    }
    if (!CheckIconLoops(row))
        return{std::nullopt, Fail(kInvalidProgram, kIconLoopMessage)};
    return{row, kSuccess};
}

}  // namespace kq::cli
