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
    const std::optional<ByteList> bytes = CheckedBytes(kTextPreviewOverflowMessage);
    if (!bytes)
        return;
    OpenStepPreview(
        m_windows, *this, *bytes,
        TraceByPlaces(TextLinesByAddress(m_document.Lines(), m_document.Keywords(), m_document.Generation()),
                      [this](std::optional<int> line) { m_editor->SetTraceLine(line); }));
}

}  // namespace kq
