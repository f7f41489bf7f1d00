#pragma once

#include "model/encoder.h"

#include <QList>
#include <QString>

#include <optional>

namespace kq {

inline constexpr int kBoxWidth = 100;
inline constexpr int kBoxHeight = 50;
inline constexpr int kNoSlot = -1;

// One box slot of a routine. A free slot has an empty kind, id 0 and no links.
struct FlowNode {
    int id = 0;
    QString kind;  // instruction name; empty when the slot is free
    int x = 0;
    int y = 0;
    QList<int> preds;  // boxes whose next or branch leads here, in the order the arrows were made
    int next = kNoSlot;
    int branch = kNoSlot;
    QString params;  // the ParameterList text

    bool IsUsed() const { return !kind.isEmpty(); }
    bool operator==(const FlowNode &) const = default;
};

// The node's parameters; all zero when its text is damaged.
ParameterList ParamsOf(const FlowNode &node);
// Whether a link names one of a routine's slots (kNoSlot names none).
inline bool IsSlot(int slot)
{
    return slot >= 0 && slot < kRoutineSlots;
}

// id-kind-x-y-preds-next-branch-params; a free slot reads 0--0-0----.
QString NodeLine(const FlowNode &node);
// nullopt for a line that is no node: too few fields, numbers that are not
// numbers, slot indexes outside 0..59, an unknown instruction name or a
// negative position.
[[nodiscard]] std::optional<FlowNode> ParseNodeLine(const QString &line);

}  // namespace kq
