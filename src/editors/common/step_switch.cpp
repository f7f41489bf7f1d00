#include "editors/common/step_switch.h"

#include "base/text_file.h"
#include "context/studio_context.h"
#include "editors/common/program_file_commands.h"
#include "editors/common/step_recovery.h"
#include "editors/common/step_windows.h"
#include "model/program_file.h"
#include "model/program_lines.h"
#include "services/dialogs.h"

namespace kq {

namespace {

// The cache another step wrote for the same program: the program only passed
// through this step and goes back in its own shape. A cache this step wrote
// itself is rewritten, since the step may have changed what the program lines
// do not show (a comment, a box's place, a subroutine's name).
bool KeepsCache(const QString &cachePath, const QStringList &programLines, const QString &ownSectionMarker)
{
    const std::optional<TextFileContent> cache = ReadTextLines(cachePath);
    if (!cache || cache->hasDecodingErrors)
        return false;
    const ProgramFileParts parts = SplitProgramFile(cache->lines);
    return parts.sectionMarker != ownSectionMarker && SameProgramLines(parts.programLines, programLines);
}

}  // namespace

bool SwitchStep(StudioContext &context, StepWindows &windows, StepEditor from, Step target)
{
    Dialogs &dialogs = context.Dialogs();
    const std::optional<QStringList> programLines = CheckedProgramLines(context, *from.document, *from.host);
    if (!programLines) {
        dialogs.Warning(from.host->DialogParent(), kCannotHandOverMessage);
        return false;
    }

    const QString cachePath = context.Paths().TempFolder() + kHandOverFileName;
    if (!KeepsCache(cachePath, *programLines, from.document->SectionMarker())) {
        const QStringList lines = ProgramFileLines(programLines, context.ReportFields().Value(),
                                                   from.document->SectionMarker(), from.document->SectionLines());
        if (const TextWriteResult written = WriteTextLines(cachePath, lines); !written) {
            dialogs.Warning(from.host->DialogParent(), SaveFailedText(kSaveFailedMessage, written));
            return false;
        }
    }

    const Step source = from.document->StepKind();
    context.StepSwitch() = {true, source};
    windows.CloseStep(source);

    const StepEditor shownTarget = windows.ShowStep(target);
    const bool shown =
        shownTarget && OpenProgramFile(context, *shownTarget.document, *shownTarget.host, cachePath,
                                       OpenOrigin::HandOver) == OpenResult::Opened;
    // The closed source kept its recovery copy; it goes once the step now
    // holding the work has written its own.
    if (shown) {
        if (shownTarget.recovery)
            shownTarget.recovery->WriteNow();
        context.Recovery().Remove(StepRecoveryWindow(source));
    } else {
        // Whatever kept the target from showing the program, the pupil gets
        // it back in the step it came from.
        if (shownTarget) {
            windows.CloseStep(target);
            context.Recovery().Remove(StepRecoveryWindow(target));
        }
        const StepEditor back = windows.ShowStep(source);
        const bool backOpened = back && OpenProgramFile(context, *back.document, *back.host, cachePath,
                                                        OpenOrigin::HandOver) == OpenResult::Opened;
        if (backOpened && back.recovery)
            back.recovery->WriteNow();
    }
    context.StepSwitch() = {};
    return shown;
}

}  // namespace kq
