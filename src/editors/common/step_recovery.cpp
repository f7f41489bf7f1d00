#include "editors/common/step_recovery.h"

#include "base/text_file.h"
#include "context/studio_context.h"
#include "editors/common/program_file_commands.h"
#include "editors/common/registered_step_windows.h"
#include "editors/common/step_document.h"
#include "model/program_file.h"
#include "services/recovery_offer.h"

#include <QWidget>

namespace kq {

namespace {

QString RestorerCaption(Step step)
{
    switch (step) {
    case Step::Icons:
        return QStringLiteral("STEP1 アイコン");
    case Step::Flowchart:
        return QStringLiteral("STEP2 フローチャート");
    case Step::Text:
        break;
    }
    return QStringLiteral("STEP3 文字");
}

// The file as a save writes it. A character the code page cannot hold (an
// emoji typed in STEP3) keeps the save from writing at all; the copy keeps
// the rest of the work, with "?" in its place.
QByteArray RecoveryBody(QStringList lines)
{
    for (;;) {
        const EncodedLines encoded = EncodeTextLines(lines);
        if (encoded)
            return *encoded;
        if (encoded.unencodable.isEmpty())
            return {};
        lines.replaceInStrings(encoded.unencodable, QStringLiteral("?"));
    }
}

bool RestoreStepCopy(StudioContext &context, RegisteredStepWindows &steps, Step step, const RecoveryCopy &copy)
{
    const TextFileContent content = DecodeTextLines(copy.body);
    // A second copy of the same step (two programs ended without closing)
    // would replace the work of the first; it is kept aside instead.
    if (content.hasDecodingErrors || steps.IsOpen(step))
        return false;
    const StepEditor editor = steps.ShowStep(step);
    if (!editor)
        return false;
    const ProgramFileParts parts = SplitProgramFile(content.lines);
    StepDocument &document = *editor.document;
    if (parts.sectionMarker != document.SectionMarker() || !document.LoadSection(parts.section)) {
        // Nothing of the refused copy may replace the kept one.
        if (editor.recovery)
            editor.recovery->Writer().Remove();
        editor.host->DialogParent()->hide();
        return false;
    }
    context.ReportFields().Set(parts.report);
    document.ClearHistory();
    editor.host->SetCaption(copy.filePath.isEmpty() ? kStudioCaption : StudioCaptionFor(copy.filePath));
    if (editor.recovery)
        editor.recovery->WriteNow();
    return true;
}

}  // namespace

QString StepRecoveryWindow(Step step)
{
    return QStringLiteral("STEP%1").arg(static_cast<int>(step));
}

StepRecovery::StepRecovery(StudioContext &context, StepDocument &document, StepWindowHost &host)
    : m_context(context),
      m_document(document),
      m_host(host),
      // The file is small, but syncing it to disk can take longer than a
      // frame on a busy or slow disk; only its lines are built on the UI thread.
      m_writer(context.Recovery(), StepRecoveryWindow(document.StepKind()), Snapshot(),
               RecoveryWriter::Thread::Worker, host.DialogParent())
{
    QObject::connect(&m_document, &StepDocument::Changed, &m_writer, [this] { DocumentChanged(); });
    QObject::connect(&m_document, &StepDocument::Saved, &m_writer, [this] { m_writer.Remove(); });
}

void StepRecovery::DocumentChanged()
{
    // An empty program is nothing to lose, as the close question agrees.
    if (m_document.HasInstructions())
        m_writer.NoteChange();
    else
        m_writer.Remove();
}

void StepRecovery::WriteNow()
{
    DocumentChanged();
    m_writer.Flush();
}

void StepRecovery::Closed()
{
    if (m_context.StepSwitch().underWay)
        m_writer.Flush();
    else
        m_writer.Remove();
}

RecoveryWriter::Snapshot StepRecovery::Snapshot()
{
    return [this] {
        RecoveryCopy copy;
        copy.window = StepRecoveryWindow(m_document.StepKind());
        if (const QWidget *window = m_host.DialogParent())
            copy.filePath = FilePathInCaption(window->windowTitle());
        RecoveryWriter::BodyMaker body = [lines = QuietProgramFile(m_context, m_document)] {
            return RecoveryBody(lines);
        };
        return std::pair{std::move(copy), std::move(body)};
    };
}

void RegisterStepRestorer(RecoveryRestorers &restorers, StudioContext &context, RegisteredStepWindows &steps,
                          Step step)
{
    restorers.Register(StepRecoveryWindow(step), RestorerCaption(step),
                       [&context, &steps, step](const RecoveryCopy &copy) {
                           return RestoreStepCopy(context, steps, step, copy);
                       });
}

}  // namespace kq
