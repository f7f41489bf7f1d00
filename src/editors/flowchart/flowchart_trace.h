#pragma once

#include "editors/flowchart/flowchart.h"

#include <QStringList>

#include <optional>

namespace kq {

// The red frame that follows a running program over the main routine's
// boxes, from the addresses it reports (the clock's or the preview's) and
// the address map of its bytes. While a subroutine runs, its addresses
// cannot be shown on the main routine: the frame stays on the calling box
// until the subroutine's end is reported.
class FlowchartTrace {
public:
    // A new run: the frame follows the main routine again.
    void Restart();

    // The slot to frame for an executed address (kNoSlot: no frame), or
    // nullopt when the frame stays as it is.
    [[nodiscard]] std::optional<int> Executed(const Flowchart &chart, const QStringList &addressMap, int address);

private:
    bool m_highlight = true;
    int m_runningSubroutine = 0;
};

}  // namespace kq
