#include "editors/flowchart/flowchart_linear.h"

#include "model/program_lines.h"

#include <algorithm>

namespace kq {

namespace {

const QString kElse = QStringLiteral("else");
const QString kEndif = QStringLiteral("endif");
const QString kGroupNames[] = {QStringLiteral("sw"), QStringLiteral("cds"), QStringLiteral("temp")};
// More items than five routines of 60 boxes with their else and endif can
// give means the arrows go round in circles (a damaged file).
constexpr qsizetype kItemLimit = kRoutineCount * kRoutineSlots * 3;

struct PendingBranch {
    int target;
    int group;
    int depth;
};

ParameterList ParamsOf(const FlowNode &node)
{
    return ParameterList::FromText(node.params).value_or(ParameterList {});
}

class Linearisation {
public:
    Linearisation(const Flowchart &flowchart, int routine) : m_chart(flowchart), m_routine(routine) {}

    std::variant<QList<LinearItem>, CheckResult> Run();

private:
    const FlowNode &Node(int slot) const { return m_chart.Node(m_routine, slot); }
    static bool IsSlot(int slot) { return slot >= 0 && slot < kRoutineSlots; }
    LinearItem ItemOf(int slot) const { return {Node(slot).kind, 0, m_routine, Node(slot).id}; }
    qsizetype IndexOfSlot(int slot) const
    {
        for (qsizetype i = 0; i < m_sequence.size(); ++i)
            if (m_sequence[i].slot == slot && m_sequence[i].kind != kElse && m_sequence[i].kind != kEndif)
                return i;
        return -1;
    }
    void PushIf(int slot, int depth)
    {
        m_branches << PendingBranch {Node(slot).branch, ConditionGroupOf(ParamsOf(Node(slot)).variant), depth};
    }
    // False when the branch cannot be placed (the result is then "-4").
    bool PlaceBranch(const PendingBranch &branch);
    void Insert(qsizetype at, const QList<LinearItem> &part)
    {
        for (qsizetype i = 0; i < part.size(); ++i)
            m_sequence.insert(at + i, part[i]);
    }

    const Flowchart &m_chart;
    int m_routine;
    QList<LinearItem> m_sequence;
    QList<PendingBranch> m_branches;
    int m_lastDepth = 0;
};

bool Linearisation::PlaceBranch(const PendingBranch &branch)
{
    if (!IsSlot(branch.target) || !Node(branch.target).IsUsed())
        return false;
    const LinearItem elseItem {kElse, branch.group, m_routine, kNoSlot};
    const LinearItem endifItem {kEndif, branch.group, m_routine, kNoSlot};
    int cur = Node(branch.target).id;
    if (!IsSlot(cur))
        return false;
    if (Node(cur).kind == QLatin1String("end") || IndexOfSlot(cur) >= 0) {
        // An empty else part; a second end box the main path never reached
        // has no item to stand before.
        const qsizetype at = IndexOfSlot(cur);
        if (at >= 0)
            Insert(at, {elseItem, endifItem});
        return true;
    }
    QList<LinearItem> part {elseItem};
    QList<int> walked;
    for (;;) {
        // Boxes of the else part met again go round in circles.
        if (walked.contains(cur) || part.size() > kItemLimit)
            return false;
        walked << cur;
        if (Node(cur).kind == QLatin1String("if"))
            PushIf(cur, branch.depth + 1);
        part << ItemOf(cur);
        const int next = Node(cur).next;
        if (IsSlot(next) && IndexOfSlot(next) >= 0)
            break;
        if (!IsSlot(next) || !Node(next).IsUsed())
            return false;
        cur = next;
    }
    part << endifItem;
    const qsizetype join = IndexOfSlot(Node(cur).next);
    int run = 0;
    while (join - run - 1 >= 0 && m_sequence[join - run - 1].kind == kEndif)
        ++run;
    if (run == 0) {
        Insert(join, part);
        m_lastDepth = branch.depth;
        return true;
    }
    const int m = branch.depth - m_lastDepth;
    const int k = (m >= 0 && m <= run) ? m : run;
    Insert(join - k, part);
    return true;
}

std::variant<QList<LinearItem>, CheckResult> Linearisation::Run()
{
    const RoutineCheck check = CheckRoutine(m_chart, m_routine);
    if (check.result != CheckResult::Correct)
        return check.result;
    if (check.backEdge)
        return CheckResult::BackwardJump;
    int cur = kNoSlot;
    for (int slot = kRoutineSlots - 1; slot >= 0 && cur == kNoSlot; --slot)
        if (Node(slot).kind == QLatin1String("start"))
            cur = slot;
    if (cur == kNoSlot)
        return CheckResult::NoStart;

    for (;;) {
        if (IndexOfSlot(Node(cur).id) >= 0 || m_sequence.size() > kItemLimit)
            return CheckResult::ProgramWrong;
        m_sequence << ItemOf(cur);
        const int next = Node(cur).next;
        if (!IsSlot(next))
            break;
        if (Node(next).kind == QLatin1String("if"))
            PushIf(next, 0);
        cur = next;
    }
    while (!m_branches.isEmpty()) {
        if (m_sequence.size() > kItemLimit || !PlaceBranch(m_branches.takeLast()))
            return CheckResult::ProgramWrong;
    }
    if (m_sequence.size() < 2)
        return QList<LinearItem> {};
    return m_sequence.mid(1, m_sequence.size() - 2);
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
