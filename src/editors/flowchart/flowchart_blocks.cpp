#include "editors/flowchart/flowchart_blocks.h"

#include <algorithm>
#include <bitset>

namespace kq {

namespace {

constexpr int kColumnStep = 150;
constexpr int kRowStep = 80;

using Slots = std::bitset<kRoutineSlots>;

class BlockReading {
public:
    explicit BlockReading(const RoutineNodes &nodes) : m_nodes(nodes) {}

    std::optional<BlockSequence> Run(int start)
    {
        if (!Order(start))
            return std::nullopt;
        return Part(start, kNoSlot);
    }

private:
    enum class Visit { New, OnTheWay, Done };

    bool IsEnd(int slot) const { return m_nodes[slot].kind == QLatin1String("end"); }
    bool IsIf(int slot) const { return m_nodes[slot].kind == QLatin1String("if"); }
    bool Leads(int target) const { return IsSlot(target) && m_nodes[target].IsUsed(); }

    // Depth first along the arrows, working out for each box the boxes that
    // every path from it passes (itself included); false for a circle or a
    // box whose arrows are missing or lead nowhere.
    bool Order(int slot)
    {
        if (m_visit[slot] == Visit::Done)
            return true;
        if (m_visit[slot] == Visit::OnTheWay || !m_nodes[slot].IsUsed())
            return false;
        m_visit[slot] = Visit::OnTheWay;
        Slots passed;
        if (!IsEnd(slot)) {
            const FlowNode &node = m_nodes[slot];
            if (!Leads(node.next) || !Order(node.next))
                return false;
            passed = m_passed[node.next];
            if (IsIf(slot)) {
                if (!Leads(node.branch) || !Order(node.branch))
                    return false;
                passed &= m_passed[node.branch];
            }
        }
        passed.set(slot);
        m_passed[slot] = passed;
        m_visit[slot] = Visit::Done;
        return true;
    }

    // The nearest box that every path from the if passes; kNoSlot when its
    // paths end apart.
    int JoinOf(int ifSlot) const
    {
        Slots after = m_passed[ifSlot];
        after.reset(ifSlot);
        for (int slot = 0; slot < kRoutineSlots; ++slot)
            if (after.test(slot) && m_passed[slot].count() == after.count())
                return slot;
        return kNoSlot;
    }

    std::optional<BlockSequence> Part(int from, int stop)
    {
        BlockSequence part;
        for (int cur = from; cur != stop && cur != kNoSlot;) {
            if (!IsEnd(cur)) {
                if (m_taken.test(cur))
                    return std::nullopt;
                m_taken.set(cur);
            }
            BlockBox box {cur, {}, {}};
            if (IsEnd(cur)) {
                part.push_back(std::move(box));
                break;
            }
            if (!IsIf(cur)) {
                part.push_back(std::move(box));
                cur = m_nodes[cur].next;
                continue;
            }
            const int join = JoinOf(cur);
            std::optional<BlockSequence> thenPart = Part(m_nodes[cur].next, join);
            std::optional<BlockSequence> elsePart = thenPart ? Part(m_nodes[cur].branch, join) : std::nullopt;
            if (!elsePart)
                return std::nullopt;
            box.thenPart = std::move(*thenPart);
            box.elsePart = std::move(*elsePart);
            part.push_back(std::move(box));
            cur = join;
        }
        return part;
    }

    const RoutineNodes &m_nodes;
    std::array<Visit, kRoutineSlots> m_visit {};
    std::array<Slots, kRoutineSlots> m_passed {};
    Slots m_taken;
};

struct Extent {
    int columns = 0;
    int bottom = 0;  // the row below the last box
};

Extent Lay(RoutineNodes &nodes, const BlockSequence &blocks, int x, int y, Slots &placed)
{
    Extent extent {0, y};
    for (const BlockBox &box : blocks) {
        if (!placed.test(box.slot)) {
            nodes[box.slot].x = x;
            nodes[box.slot].y = extent.bottom;
            placed.set(box.slot);
        }
        extent.columns = std::max(extent.columns, 1);
        extent.bottom += kRowStep;
        if (nodes[box.slot].kind != QLatin1String("if"))
            continue;
        // The arrow of an empty then part runs down the if's own column.
        const Extent thenPart = Lay(nodes, box.thenPart, x, extent.bottom, placed);
        const int thenColumns = std::max(thenPart.columns, 1);
        const Extent elsePart = Lay(nodes, box.elsePart, x + thenColumns * kColumnStep, extent.bottom, placed);
        extent.columns = std::max(extent.columns, thenColumns + elsePart.columns);
        extent.bottom = std::max(thenPart.bottom, elsePart.bottom);
    }
    return extent;
}

}  // namespace

std::optional<BlockSequence> BlocksOf(const RoutineNodes &nodes, int start)
{
    if (!IsSlot(start))
        return std::nullopt;
    return BlockReading(nodes).Run(start);
}

void LayOutBlocks(RoutineNodes &nodes, const BlockSequence &blocks, int x, int y)
{
    Slots placed;
    Lay(nodes, blocks, x, y, placed);
}

}  // namespace kq
