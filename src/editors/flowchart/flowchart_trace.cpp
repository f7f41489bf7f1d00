#include "editors/flowchart/flowchart_trace.h"

#include "editors/flowchart/flowchart_code.h"

namespace kq {

void FlowchartTrace::Restart()
{
    m_highlight = true;
    m_runningSubroutine = 0;
}

std::optional<int> FlowchartTrace::Executed(const Flowchart &chart, const QStringList &addressMap, int address)
{
    if (chart.CurrentRoutine() != 0)
        return std::nullopt;
    const std::optional<int> slot = SlotOfAddress(addressMap, address);
    if (!slot || *slot < 0 || *slot >= kRoutineSlots)
        return std::nullopt;
    const FlowNode &box = chart.Node(0, *slot);
    const bool call = address != 0 && box.kind == QLatin1String("routine");
    if (call) {
        const int called = ParameterList::FromText(box.params).value_or(ParameterList {}).p[0];
        m_runningSubroutine = called >= 1 && called < kRoutineCount ? called : 0;
    }
    if (!m_highlight) {
        // Back from the subroutine when it reports its end.
        if (chart.Node(m_runningSubroutine, *slot).kind == QLatin1String("end")) {
            m_highlight = true;
            m_runningSubroutine = 0;
        }
        return std::nullopt;
    }
    // Off at once: the subroutine's first addresses may arrive while the
    // calling box is still being shown.
    if (call)
        m_highlight = false;
    return box.x > 0 && box.y > 0 ? *slot : kNoSlot;
}

}  // namespace kq
