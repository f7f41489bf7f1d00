#include "editors/common/program_file_commands.h"

#include "base/text_file.h"
#include "context/studio_context.h"
#include "editors/common/step_document.h"
#include "model/program_file.h"
#include "services/dialogs.h"

#include <QDir>
#include <QFileInfo>

namespace kq {

namespace {

void Show(StudioContext &context, StepWindowHost &host, const StepMessage &message)
{
    if (message.kind == StepMessage::Kind::Information)
        context.Dialogs().Information(host.DialogParent(), message.text);
    else
        context.Dialogs().Warning(host.DialogParent(), message.text);
}

OpenResult ReadFailed(StudioContext &context, StepWindowHost &host)
{
    context.Dialogs().Warning(host.DialogParent(), kReadFailedMessage);
    return OpenResult::Failed;
}

}  // namespace

QString StudioCaptionFor(const QString &path)
{
    return kStudioCaption + QDir::toNativeSeparators(path);
}

QString FilePathInCaption(const QString &caption)
{
    if (!caption.startsWith(kStudioCaption))
        return {};
    return QDir::fromNativeSeparators(caption.mid(kStudioCaption.size()));
}

std::optional<QStringList> CheckedProgramLines(StudioContext &context, const StepDocument &step,
                                               StepWindowHost &host)
{
    ProgramLinesResult result = step.ProgramLines();
    for (const StepMessage &message : result.messages)
        Show(context, host, message);
    return std::move(result.lines);
}

QStringList WriteProgramFile(StudioContext &context, const StepDocument &step, StepWindowHost &host)
{
    return ProgramFileLines(CheckedProgramLines(context, step, host), context.ReportFields().Value(),
                            step.SectionMarker(), step.SectionLines());
}

QStringList QuietProgramFile(StudioContext &context, const StepDocument &step)
{
    return ProgramFileLines(step.ProgramLines().lines, context.ReportFields().Value(), step.SectionMarker(),
                            step.SectionLines());
}

bool SaveProgramFile(StudioContext &context, StepDocument &step, StepWindowHost &host)
{
    const QStringList lines = WriteProgramFile(context, step, host);
    Dialogs &dialogs = context.Dialogs();
    QWidget *parent = host.DialogParent();

    const QString chosen = dialogs.SaveFileName(parent, host.FileFolder().Start(), kProgramFileFilter);
    if (chosen.isEmpty())
        return false;
    const QString path = ProgramFileSaveName(chosen, step.DefaultEnding());
    if (QFileInfo::exists(path) && !dialogs.AskYesNo(parent, kOverwriteQuestion))
        return false;

    TextWriteResult written = WriteTextLines(path, lines);
    if (written)
        written = WriteTextLines(context.Paths().TempFolder() + kSaveFileName, lines);
    if (!written) {
        dialogs.Warning(parent, SaveFailedText(step.SaveFailedMessage(), written));
        return false;
    }
    step.MarkSaved();
    host.FileFolder().Remember(path);
    host.SetCaption(StudioCaptionFor(path));
    emit step.Saved();
    return true;
}

OpenResult OpenProgramFile(StudioContext &context, StepDocument &step, StepWindowHost &host, const QString &path,
                           OpenOrigin origin)
{
    const std::optional<TextFileContent> content = ReadTextLines(path);
    // Text that is not CP932 (a UTF-8 or binary file) would load as garbage.
    if (!content || content->hasDecodingErrors || content->lines.isEmpty())
        return ReadFailed(context, host);

    const ProgramFileParts parts = SplitProgramFile(content->lines);
    if (parts.sectionMarker == step.SectionMarker()) {
        if (!step.LoadSection(parts.section))
            return ReadFailed(context, host);
        if (origin != OpenOrigin::HandOver)
            context.ReportFields().Set(parts.report);
    } else {
        if (parts.firstLine != kValidProgramMark) {
            Show(context, host, step.ForeignFileRefusal());
            return OpenResult::Refused;
        }
        if (parts.programLines.isEmpty())
            return ReadFailed(context, host);
        if (const std::optional<StepMessage> refusal = step.LoadProgramLines(parts.programLines)) {
            Show(context, host, *refusal);
            return OpenResult::Refused;
        }
    }
    step.ClearHistory();
    if (origin == OpenOrigin::ChosenFile)
        host.SetCaption(StudioCaptionFor(path));
    return OpenResult::Opened;
}

OpenResult OpenProgramFileFromDialog(StudioContext &context, StepDocument &step, StepWindowHost &host)
{
    const QString path =
        context.Dialogs().OpenFileName(host.DialogParent(), host.FileFolder().Start(), kProgramFileFilter);
    if (path.isEmpty())
        return OpenResult::Cancelled;
    return OpenDroppedProgramFiles(context, step, host, {path});
}

OpenResult OpenDroppedProgramFiles(StudioContext &context, StepDocument &step, StepWindowHost &host,
                                   const QStringList &paths)
{
    if (paths.isEmpty())
        return OpenResult::Cancelled;
    if (paths.size() > 1) {
        context.Dialogs().Warning(host.DialogParent(), kSeveralFilesMessage);
        return OpenResult::Cancelled;
    }
    // The pupil went to that folder: the next dialog starts there, also
    // after a file that could not be opened.
    host.FileFolder().Remember(paths.constFirst());
    if (!HasProgramFileExtension(paths.constFirst())) {
        Show(context, host, {step.WrongExtensionKind(), kWrongExtensionMessage});
        return OpenResult::Cancelled;
    }
    return OpenProgramFile(context, step, host, paths.constFirst(), OpenOrigin::ChosenFile);
}

bool MayReplaceProgram(StudioContext &context, const StepDocument &step, StepWindowHost &host)
{
    return !step.HasInstructions() || step.IsMarkedSaved()
        || context.Dialogs().AskYesNo(host.DialogParent(), kNotSavedQuestion);
}

bool MayCloseStep(StudioContext &context, const StepDocument &step, StepWindowHost &host)
{
    if (context.StepSwitch().underWay || !step.HasInstructions())
        return true;
    if (IsSaved(context.Paths(), WriteProgramFile(context, step, host)))
        return true;
    return context.Dialogs().AskYesNo(host.DialogParent(), kCloseQuestion);
}

}  // namespace kq
