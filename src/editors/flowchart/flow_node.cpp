#include "editors/flowchart/flow_node.h"

#include "model/catalogue.h"

#include <QStringList>

namespace kq {
namespace {

QString SlotText(int slot)
{
    return slot == kNoSlot ? QString() : QString::number(slot);
}

std::optional<int> ParseSlot(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 0 || value >= kRoutineSlots)
        return std::nullopt;
    return value;
}

// Empty text is "no link".
std::optional<int> ParseLink(const QString &text)
{
    if (text.isEmpty())
        return kNoSlot;
    return ParseSlot(text);
}

}  // namespace

ParameterList ParamsOf(const FlowNode &node)
{
    return ParameterList::FromText(node.params).value_or(ParameterList {});
}

QString NodeLine(const FlowNode &node)
{
    QStringList preds;
    for (const int pred : node.preds)
        preds << QString::number(pred);
    return QStringList {QString::number(node.id), node.kind,           QString::number(node.x), QString::number(node.y),
                        preds.join(','),          SlotText(node.next), SlotText(node.branch),   node.params}
        .join('-');
}

std::optional<FlowNode> ParseNodeLine(const QString &line)
{
    const QStringList fields = line.split('-');
    if (fields.size() < 8)
        return std::nullopt;
    FlowNode node;
    const std::optional<int> id = ParseSlot(fields[0]);
    bool xOk = false;
    bool yOk = false;
    node.x = fields[2].toInt(&xOk);
    node.y = fields[3].toInt(&yOk);
    const std::optional<int> next = ParseLink(fields[5]);
    const std::optional<int> branch = ParseLink(fields[6]);
    if (!id || !xOk || !yOk || node.x < 0 || node.y < 0 || !next || !branch)
        return std::nullopt;
    node.id = *id;
    node.kind = fields[1];
    if (!node.kind.isEmpty()) {
        const std::optional<InstructionKind> kind = InstructionKindOfName(node.kind);
        if (!kind || *kind == InstructionKind::Else || *kind == InstructionKind::Endif)
            return std::nullopt;
    }
    if (!fields[4].isEmpty()) {
        for (const QString &pred : fields[4].split(',')) {
            const std::optional<int> slot = ParseSlot(pred);
            if (!slot)
                return std::nullopt;
            node.preds << *slot;
        }
    }
    node.next = *next;
    node.branch = *branch;
    // A negative parameter would bring its own "-": the rest is the params.
    node.params = fields.mid(7).join('-');
    return node;
}

}  // namespace kq
