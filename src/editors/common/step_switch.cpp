#include "editors/common/step_switch.h"

#include "context/studio_context.h"
#include "services/dialogs.h"
#include "editors/common/program_file_commands.h"
#include "editors/common/step_document.h"
#include "editors/common/step_windows.h"
#include "model/program_file.h"
#include "model/program_lines.h"
#include "base/text_file.h"

namespace kq {

namespace {

bool HoldsProgram(const QString &cachePath, const QStringList &programLines)
{
    const std::optional<TextFileContent> cache = ReadTextLines(cachePath);
    return cache && !cache->hasDecodingErrors && SameProgramLines(cache->lines, programLines);
}

}  // namespace

bool SwitchStep(StudioContext &context, StepWindows &windows, StepDocument &from, int targetStep)
{
    Dialogs &dialogs = context.dialogs();
    const std::optional<QStringList> programLines = from.ProgramLines();
    if (!programLines) {
        dialogs.Warning(from.DialogParent(), kCannotHandOverMessage);
        return false;
    }

    const QString cachePath = context.paths().TempFolder() + kHandOverFileName;
    if (!HoldsProgram(cachePath, *programLines)) {
        const QStringList lines =
            ProgramFileLines(programLines, context.reportFields(), from.SectionMarker(), from.SectionLines());
        if (!WriteTextLines(cachePath, lines)) {
            dialogs.Warning(from.DialogParent(), kReadFailedMessage);
            return false;
        }
    }

    const int sourceStep = from.StepNumber();
    context.stepSwitch() = {true, sourceStep};
    windows.CloseStep(sourceStep);

    StepDocument *target = windows.ShowStep(targetStep);
    const bool shown =
        target && OpenProgramFile(context, *target, cachePath, OpenOrigin::HandOver) == OpenResult::Opened;
    // Whatever kept the target from showing the program, the pupil gets it
    // back in the step it came from.
    if (!shown) {
        if (target)
            windows.CloseStep(targetStep);
        if (StepDocument *source = windows.ShowStep(sourceStep))
            OpenProgramFile(context, *source, cachePath, OpenOrigin::HandOver);
    }
    context.stepSwitch() = {};
    return shown;
}

}  // namespace kq
