#pragma once

#include "editors/flowchart/flowchart.h"

#include <gtest/gtest.h>

#include <QList>
#include <QString>

#include <map>

namespace kq::testing {

// One box of a hand-made flowchart: slot, instruction name, next, branch and
// parameters; preds are worked out from the links.
struct Box {
    int slot;
    QString kind;
    int next = kNoSlot;
    int branch = kNoSlot;
    QString params = QStringLiteral("0,0,0,0,0,0");
};

using Boxes = std::map<int, QList<Box>>;  // by routine

// The flowchart of the boxes, one below the other in slot order.
inline Flowchart ChartOf(const Boxes &routines)
{
    QStringList section {kSubroutineMarker, "", "", "", ""};
    for (int r = 0; r < kRoutineCount; ++r) {
        std::array<FlowNode, kRoutineSlots> nodes {};
        const QList<Box> boxes = routines.contains(r) ? routines.at(r) : QList<Box> {};
        for (const Box &box : boxes)
            nodes[box.slot] = FlowNode {box.slot, box.kind, 100, 100 + 60 * box.slot, {}, box.next, box.branch,
                box.params};
        for (const Box &box : boxes)
            for (int target : {box.next, box.branch})
                if (target != kNoSlot)
                    nodes[target].preds << box.slot;
        for (const FlowNode &node : nodes)
            section << NodeLine(node);
    }
    Flowchart chart;
    EXPECT_TRUE(chart.LoadSection(section));
    return chart;
}

}  // namespace kq::testing
