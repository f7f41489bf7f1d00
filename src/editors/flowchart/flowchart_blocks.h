#pragma once

#include "editors/flowchart/flow_node.h"

#include <array>
#include <optional>
#include <vector>

namespace kq {

using RoutineNodes = std::array<FlowNode, kRoutineSlots>;

// One box of a routine read as a structured program. An if holds the boxes
// of its two parts, each up to the box where every path from the if meets
// again (or to its end box when the paths never meet).
struct BlockBox {
    int slot = kNoSlot;
    std::vector<BlockBox> thenPart;
    std::vector<BlockBox> elsePart;
};
using BlockSequence = std::vector<BlockBox>;

// The boxes from `start` along the arrows as nested blocks. nullopt when the
// arrows form no such program: a circle, an arrow to a free slot, a box
// without its arrows, or a box that two parts would both have to hold (an
// end box may close several parts).
[[nodiscard]] std::optional<BlockSequence> BlocksOf(const RoutineNodes &nodes, int start);

// Places the boxes top to bottom from (x, y), 80 apart: a part's boxes in
// one column, an if's else part in the column right of everything its then
// part takes, and the box after a block below both parts, so that every
// arrow leads down the sheet. A box met again keeps its first place.
void LayOutBlocks(RoutineNodes &nodes, const BlockSequence &blocks, int x, int y);

}  // namespace kq
