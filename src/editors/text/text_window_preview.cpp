// STEP3's "プレビュー": the checked text runs in the preview window while the
// line of the running statement is marked.
#include "editors/text/text_window.h"

#include "context/studio_context.h"
#include "controls/code_editor.h"
#include "editors/common/step_preview.h"
#include "editors/text/text_trace_lines.h"
#include "services/dialogs.h"

namespace kq {

void TextWindow::Preview()
{
    MarkFailingLine();
    if (const std::optional<QString> message = m_document.Check()) {
        m_context.Dialogs().Warning(this, *message);
        return;
    }
    const std::optional<TextDocument::Program> program = m_document.CheckedProgram();
    if (!program)
        return;
    // Addresses past a byte would not be what the clock runs.
    if (program->memory > kMemoryLimit || !program->bytes) {
        m_context.Dialogs().Warning(this, kTextPreviewOverflowMessage);
        return;
    }
    OpenStepPreview(
        m_windows, *this, *program->bytes,
        TraceByPlaces(TextLinesByAddress(m_document.Lines(), m_document.Keywords(), m_document.Generation()),
                      [this](std::optional<int> line) { m_editor->SetTraceLine(line); }));
}

}  // namespace kq
