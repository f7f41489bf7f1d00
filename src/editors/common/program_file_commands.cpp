#include "editors/common/program_file_commands.h"

#include "context/studio_context.h"
#include "services/dialogs.h"
#include "editors/common/step_document.h"
#include "model/program_file.h"
#include "base/text_file.h"

#include <QDir>
#include <QFileInfo>

namespace kq {

namespace {

void Show(StudioContext &context, StepDocument &step, const StepMessage &message)
{
    if (message.kind == StepMessage::Kind::Information)
        context.dialogs().Information(step.DialogParent(), message.text);
    else
        context.dialogs().Warning(step.DialogParent(), message.text);
}

OpenResult ReadFailed(StudioContext &context, StepDocument &step)
{
    context.dialogs().Warning(step.DialogParent(), kReadFailedMessage);
    return OpenResult::Failed;
}

}  // namespace

QString StudioCaptionFor(const QString &path)
{
    return kStudioCaption + QDir::toNativeSeparators(path);
}

QStringList WriteProgramFile(StudioContext &context, StepDocument &step)
{
    const std::optional<QStringList> programLines = step.ProgramLines();
    return ProgramFileLines(programLines, context.reportFields(), step.SectionMarker(), step.SectionLines());
}

bool SaveProgramFile(StudioContext &context, StepDocument &step)
{
    const QStringList lines = WriteProgramFile(context, step);
    Dialogs &dialogs = context.dialogs();
    QWidget *parent = step.DialogParent();

    const QString chosen = dialogs.SaveFileName(parent, QString(), kProgramFileFilter);
    if (chosen.isEmpty())
        return false;
    const QString path = ProgramFileSaveName(chosen, step.DefaultEnding());
    if (QFileInfo::exists(path) && !dialogs.AskYesNo(parent, kOverwriteQuestion))
        return false;

    if (!WriteTextLines(path, lines) || !WriteTextLines(context.paths().TempFolder() + kSaveFileName, lines)) {
        dialogs.Warning(parent, step.SaveFailedMessage());
        return false;
    }
    step.SetCaption(StudioCaptionFor(path));
    return true;
}

OpenResult OpenProgramFile(StudioContext &context, StepDocument &step, const QString &path, OpenOrigin origin)
{
    const std::optional<TextFileContent> content = ReadTextLines(path);
    // Text that is not CP932 (a UTF-8 or binary file) would load as garbage.
    if (!content || content->hasDecodingErrors || content->lines.isEmpty())
        return ReadFailed(context, step);

    const ProgramFileParts parts = SplitProgramFile(content->lines);
    if (parts.sectionMarker == step.SectionMarker()) {
        if (!step.LoadSection(parts.section))
            return ReadFailed(context, step);
        if (origin != OpenOrigin::HandOver)
            context.reportFields() = parts.report;
    } else {
        if (parts.firstLine != kValidProgramMark) {
            Show(context, step, step.ForeignFileRefusal());
            return OpenResult::Refused;
        }
        if (parts.programLines.isEmpty())
            return ReadFailed(context, step);
        if (const std::optional<StepMessage> refusal = step.LoadProgramLines(parts.programLines)) {
            Show(context, step, *refusal);
            return OpenResult::Refused;
        }
    }
    if (origin == OpenOrigin::ChosenFile)
        step.SetCaption(StudioCaptionFor(path));
    return OpenResult::Opened;
}

OpenResult OpenProgramFileFromDialog(StudioContext &context, StepDocument &step)
{
    const QString path = context.dialogs().OpenFileName(step.DialogParent(), QString(), kProgramFileFilter);
    if (path.isEmpty())
        return OpenResult::Cancelled;
    return OpenDroppedProgramFiles(context, step, {path});
}

OpenResult OpenDroppedProgramFiles(StudioContext &context, StepDocument &step, const QStringList &paths)
{
    if (paths.isEmpty())
        return OpenResult::Cancelled;
    if (paths.size() > 1) {
        context.dialogs().Warning(step.DialogParent(), kSeveralFilesMessage);
        return OpenResult::Cancelled;
    }
    if (!HasProgramFileExtension(paths.constFirst())) {
        context.dialogs().Warning(step.DialogParent(), kWrongExtensionMessage);
        return OpenResult::Cancelled;
    }
    return OpenProgramFile(context, step, paths.constFirst(), OpenOrigin::ChosenFile);
}

bool MayCloseStep(StudioContext &context, StepDocument &step)
{
    if (context.stepSwitch().underWay || !step.HasInstructions())
        return true;
    if (IsSaved(context.paths(), WriteProgramFile(context, step)))
        return true;
    return context.dialogs().AskYesNo(step.DialogParent(), kCloseQuestion);
}

}  // namespace kq
