#include "editors/flowchart/flowchart_linear.h"

#include "editors/flowchart/flowchart_blocks.h"
#include "model/program_lines.h"

#include <algorithm>

namespace kq {

namespace {

const QString kElse = QStringLiteral("else");
const QString kEndif = QStringLiteral("endif");
const QString kGroupNames[] = {QStringLiteral("sw"), QStringLiteral("cds"), QStringLiteral("temp")};

class Linearisation {
public:
    Linearisation(const Flowchart &flowchart, int routine) : m_chart(flowchart), m_routine(routine) {}

    std::variant<QList<LinearItem>, CheckResult> Run();

private:
    const FlowNode &Node(int slot) const { return m_chart.Node(m_routine, slot); }
    // Each if as its block: the if, its then part, else, its else part, endif.
    // Start and end boxes give no item.
    void Append(const BlockSequence &blocks)
    {
        for (const BlockBox &box : blocks) {
            const FlowNode &node = Node(box.slot);
            if (node.kind == QLatin1String("start") || node.kind == QLatin1String("end"))
                continue;
            m_sequence << LinearItem {node.kind, 0, m_routine, box.slot};
            if (node.kind != QLatin1String("if"))
                continue;
            const int group = ConditionGroupOf(ParamsOf(node).variant);
            Append(box.thenPart);
            m_sequence << LinearItem {kElse, group, m_routine, kNoSlot};
            Append(box.elsePart);
            m_sequence << LinearItem {kEndif, group, m_routine, kNoSlot};
        }
    }

    const Flowchart &m_chart;
    int m_routine;
    QList<LinearItem> m_sequence;
};

std::variant<QList<LinearItem>, CheckResult> Linearisation::Run()
{
    const RoutineCheck check = CheckRoutine(m_chart, m_routine);
    if (check.result != CheckResult::Correct)
        return check.result;
    if (check.backEdge)
        return CheckResult::BackwardJump;
    RoutineNodes nodes;
    int start = kNoSlot;
    for (int slot = 0; slot < kRoutineSlots; ++slot) {
        nodes[slot] = Node(slot);
        if (nodes[slot].kind == QLatin1String("start"))
            start = slot;
    }
    if (start == kNoSlot)
        return CheckResult::NoStart;
    // Arrows that no if/else/endif blocks can tell, such as one into the
    // middle of another part, make the program wrong for the other steps.
    const std::optional<BlockSequence> blocks = BlocksOf(nodes, start);
    if (!blocks)
        return CheckResult::ProgramWrong;
    Append(*blocks);
    return m_sequence;
}

// Replaces each routine item by its subroutine's items; a subroutine that
// (through a damaged file) calls one already being expanded is refused.
std::optional<int> Expand(const Flowchart &flowchart, QList<LinearItem> &items, QList<int> &expanding)
{
    QList<LinearItem> expanded;
    for (const LinearItem &item : items) {
        if (item.kind != QLatin1String("routine")) {
            expanded << item;
            continue;
        }
        const int called = ParamsOf(flowchart.Node(item.routine, item.slot)).p[0];
        if (called < 1 || called >= kRoutineCount || expanding.contains(called))
            return called;
        auto sequence = LinearSequence(flowchart, called);
        if (std::holds_alternative<CheckResult>(sequence))
            return called;
        expanding << called;
        const std::optional<int> failed = Expand(flowchart, std::get<QList<LinearItem>>(sequence), expanding);
        expanding.removeLast();
        if (failed)
            return failed;
        expanded << std::get<QList<LinearItem>>(sequence);
    }
    items = expanded;
    return std::nullopt;
}

}  // namespace

QString LinearItem::Text() const
{
    if (slot == kNoSlot)
        return kind + ',' + kGroupNames[std::clamp(group, 0, 2)] + ',';
    return kind + ',' + QString::number(routine) + ',' + QString::number(slot);
}

std::variant<QList<LinearItem>, CheckResult> LinearSequence(const Flowchart &flowchart, int routine)
{
    return Linearisation(flowchart, routine).Run();
}

QString SubroutineCheckMessage(int subroutine)
{
    return QStringLiteral("サブルーチン") + QString::number(subroutine) + QStringLiteral("のプログラムを確認して下さい。");
}

LinearForm LinearFormOf(const Flowchart &flowchart)
{
    auto main = LinearSequence(flowchart, 0);
    if (std::holds_alternative<CheckResult>(main))
        return {{}, std::nullopt, std::get<CheckResult>(main) == CheckResult::BackwardJump};
    QList<LinearItem> items = std::get<QList<LinearItem>>(main);
    QList<int> expanding;
    if (const std::optional<int> failed = Expand(flowchart, items, expanding))
        return {{}, SubroutineCheckMessage(*failed), false};

    QStringList lines {kStartLine};
    for (const LinearItem &item : items) {
        if (item.slot == kNoSlot) {
            const int marker = item.kind == kElse ? int(InstructionKind::Else) : int(InstructionKind::Endif);
            lines << QStringLiteral("%1,%2,0,0,0,0,0").arg(marker).arg(item.group);
            continue;
        }
        if (item.kind == QLatin1String("start") || item.kind == QLatin1String("end"))
            continue;
        lines << QString::number(KindNumberOf(item.kind)) + ','
                + ParamsOf(flowchart.Node(item.routine, item.slot)).ToText();
    }
    lines << kEndLine;
    return {lines, std::nullopt, false};
}

}  // namespace kq
