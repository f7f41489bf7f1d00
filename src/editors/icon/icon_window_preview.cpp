// STEP1's "プレビュー": the row runs in the preview window while the slot of
// the running icon is framed.
#include "editors/icon/icon_window.h"

#include "context/studio_context.h"
#include "editors/common/step_preview.h"
#include "editors/icon/icon_program.h"
#include "services/dialogs.h"

#include <QFrame>
#include <QScrollArea>

namespace kq {

void IconWindow::Preview()
{
    if (!CheckIconLoops(m_document.Row())) {
        m_context.Dialogs().Warning(this, kIconLoopMessage);
        return;
    }
    const int generation = m_document.Generation();
    OpenStepPreview(m_windows, *this, EncodeIconRow(m_document.Row(), generation),
                    TraceByPlaces(IconSlotsByAddress(m_document.Row(), generation),
                                  [this](std::optional<int> slot) { ShowTraceSlot(slot); }));
}

QString IconWindow::SlotFrameStyle(int slot) const
{
    // The running icon is framed red, as the flowchart frames its running box.
    const QString border =
        m_traceSlot == slot ? QStringLiteral("4px solid #e03131") : QStringLiteral("1px solid #9fb7d9");
    return QStringLiteral("#Slot%1 { border: %2; border-radius: 6px; }").arg(slot).arg(border);
}

void IconWindow::ShowTraceSlot(std::optional<int> slot)
{
    if (slot == m_traceSlot)
        return;
    const std::optional<int> previous = m_traceSlot;
    m_traceSlot = slot;
    for (const std::optional<int> &changed : {previous, slot}) {
        if (changed && m_slots[std::size_t(*changed)].frame)
            m_slots[std::size_t(*changed)].frame->setStyleSheet(SlotFrameStyle(*changed));
    }
    // A long row wraps: the running icon may lie below the visible part.
    auto *scroll = findChild<QScrollArea *>(QStringLiteral("ScrollBox"));
    if (slot && scroll && m_slots[std::size_t(*slot)].frame)
        scroll->ensureWidgetVisible(m_slots[std::size_t(*slot)].frame);
}

}  // namespace kq
