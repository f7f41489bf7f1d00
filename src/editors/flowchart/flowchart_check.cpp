#include "editors/flowchart/flowchart_check.h"

namespace kq {

namespace {

// Every slot of a routine reached once through each of its boxes; a walk
// that goes on longer than this goes round in circles.
constexpr int kWalkRoundLimit = kRoutineSlots * kRoutineSlots * 4;
const QString kStartName = QStringLiteral("start");
const QString kEndName = QStringLiteral("end");
const QString kCheckTail = QStringLiteral("\r\nプログラムを確認して下さい。");

// The state of one routine's walk.
class RoutineWalk {
public:
    RoutineWalk(const Flowchart &flowchart, int routine) : m_chart(flowchart), m_routine(routine) {}

    RoutineCheck Run();

private:
    const FlowNode &Node(int slot) const { return m_chart.Node(m_routine, slot); }
    bool Unlinked(int slot) const { return Node(slot).next == kNoSlot && Node(slot).kind != kEndName; }
    // The visited box met again: the back-edge test, then the branch of the
    // first pending if, which is met like any other box (it may have been
    // visited too). False when the walk is over (result in m_result).
    bool LeaveVisited(int reached);
    // The kind's own rule; false with m_result set when it fails.
    bool Visit(int slot);
    bool Fail(CheckResult result)
    {
        m_result = result;
        return false;
    }

    const Flowchart &m_chart;
    int m_routine;
    RoutineCheck m_check;
    CheckResult m_result = CheckResult::Correct;
    bool m_inLoop = false;
    bool m_assigned = false;
    int m_previous = 0;
    int m_current = kNoSlot;
    QList<int> m_visited;
    QList<int> m_pending;
};

bool RoutineWalk::LeaveVisited(int reached)
{
    if (IsAncestor(m_chart, m_routine, m_previous, reached))
        m_check.backEdge = true;
    if (m_inLoop)
        return Fail(CheckResult::RepeatOrder);
    if (m_pending.isEmpty())
        return false;
    m_previous = m_pending.takeFirst();
    m_current = Node(m_previous).branch;
    return true;
}

bool RoutineWalk::Visit(int slot)
{
    const FlowNode &node = Node(slot);
    const std::optional<InstructionKind> kind = InstructionKindOfName(node.kind);
    const ParameterList params = ParamsOf(node);
    switch (kind.value_or(InstructionKind::Start)) {
    case InstructionKind::Routine:
        // Only the main routine calls; a number outside 1..4 or a call from
        // a subroutine comes from a damaged file and could call itself.
        if (m_routine != 0 || params.p[0] < 1 || params.p[0] >= kRoutineCount)
            return Fail(CheckResult::ProgramWrong);
        m_check.calls << params.p[0];
        break;
    case InstructionKind::Dainyuu:
        m_assigned = true;
        break;
    case InstructionKind::Loop:
        if (params.variant == 0) {
            if (m_inLoop)
                return Fail(CheckResult::RepeatOrder);
            m_inLoop = true;
        } else {
            if (!m_inLoop)
                return Fail(CheckResult::RepeatOrder);
            m_inLoop = false;
        }
        break;
    case InstructionKind::If:
        if (params.variant >= 7 && params.variant <= 9 && !m_assigned)
            return Fail(CheckResult::XBeforeAssigned);
        if (!IsSlot(node.branch))
            return Fail(CheckResult::NotLinked);
        m_pending << slot;
        break;
    default:
        break;
    }
    return true;
}

RoutineCheck RoutineWalk::Run()
{
    for (int slot = kRoutineSlots - 1; slot >= 0 && m_current == kNoSlot; --slot)
        if (Node(slot).kind == kStartName)
            m_current = slot;
    if (m_current == kNoSlot)
        return {CheckResult::NoStart, false, {}};

    for (int round = 0; round < kWalkRoundLimit; ++round) {
        if (!IsSlot(m_current) || Unlinked(m_current))
            return {CheckResult::NotLinked, m_check.backEdge, m_check.calls};
        // A branch that leads back into the walked boxes is left at once:
        // walking them again would open their loops a second time.
        if (m_visited.contains(m_current)) {
            if (!LeaveVisited(m_current))
                break;
            continue;
        }
        if (Node(m_current).kind == kEndName) {
            if (m_inLoop)
                return {CheckResult::RepeatOrder, m_check.backEdge, m_check.calls};
            if (m_pending.isEmpty())
                break;
            m_visited << m_current;
            m_previous = m_pending.takeFirst();
            m_current = Node(m_previous).branch;
            continue;
        }
        if (!Visit(m_current))
            break;
        m_previous = m_current;
        m_visited << m_current;
        m_current = Node(m_current).next;
        if (m_visited.contains(m_current) && !LeaveVisited(m_current))
            break;
    }
    m_check.result = m_result;
    if (m_result == CheckResult::Correct && m_inLoop)
        m_check.result = CheckResult::RepeatOrder;
    return m_check;
}

}  // namespace

QString CheckResultText(CheckResult result)
{
    return QString::number(static_cast<int>(result));
}

QString CheckMessageOf(CheckResult result)
{
    switch (result) {
    case CheckResult::Correct:
        return {};
    case CheckResult::NotLinked:
        return QStringLiteral("プログラムがきちんと結ばれておりません。") + kCheckTail;
    case CheckResult::NoStart:
        return QStringLiteral("プログラム開始命令がありません。") + kCheckTail;
    case CheckResult::RepeatOrder:
        return QStringLiteral("繰り返し命令の位置関係が間違っております。") + kCheckTail;
    case CheckResult::XBeforeAssigned:
        return QStringLiteral("変数xを使った条件分岐命令は事前に変数xに代入する命令が必要です。") + kCheckTail;
    case CheckResult::ProgramWrong:
    case CheckResult::BackwardJump:
        break;
    }
    return QStringLiteral("プログラムが間違っております。") + kCheckTail;
}

RoutineCheck CheckRoutine(const Flowchart &flowchart, int routine)
{
    return RoutineWalk(flowchart, routine).Run();
}

ProgramCheck CheckProgram(const Flowchart &flowchart)
{
    QList<int> queue {0};
    ProgramCheck program;
    while (!queue.isEmpty()) {
        const RoutineCheck check = CheckRoutine(flowchart, queue.takeFirst());
        program = {check.result, check.backEdge};
        if (check.result != CheckResult::Correct)
            break;
        queue << check.calls;
    }
    return program;
}

bool IsAncestor(const Flowchart &flowchart, int routine, int from, int target)
{
    if (!IsSlot(from))
        return false;
    // Each box is walked once: merging paths would otherwise be walked once
    // per path, and many of them would make any box count as an ancestor.
    QList<int> queue {from};
    QList<bool> queued(kRoutineSlots, false);
    queued[from] = true;
    while (!queue.isEmpty()) {
        const int node = queue.takeFirst();
        if (node == target)
            return true;
        for (int pred : flowchart.Node(routine, node).preds) {
            if (IsSlot(pred) && !queued[pred]) {
                queued[pred] = true;
                queue << pred;
            }
        }
    }
    return false;
}

}  // namespace kq
