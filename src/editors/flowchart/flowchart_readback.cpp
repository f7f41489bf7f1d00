#include "editors/flowchart/flowchart_readback.h"

#include "editors/flowchart/flowchart.h"
#include "editors/flowchart/flowchart_blocks.h"
#include "model/encoder.h"

#include <QHash>

#include <array>

namespace kq {

namespace {

constexpr int kRoundLimit = 129;
constexpr int kStartByte = 0xE6;
constexpr int kColumnStep = 150;
constexpr int kRowStep = 80;
constexpr int kStartX = 50;
constexpr int kStartY = 10;

std::optional<ByteList> MemoryOf(const QStringList &dump)
{
    ByteList memory;
    bool started = false;
    for (QString line : dump) {
        line.remove(QLatin1Char(' '));
        bool ok = false;
        const int value = line.toInt(&ok, 16);
        if (!started) {
            if (!ok || value != kStartByte)
                continue;
            started = true;
        }
        if (!ok || value < 0 || value > 255)
            return std::nullopt;
        memory << value;
    }
    if (!started)
        return std::nullopt;
    return memory;
}

struct PendingIf {
    int routine;
    int slot;
    int branchAddress;
};

class ReadBackWalk {
public:
    explicit ReadBackWalk(const ByteList &memory) : m_memory(memory) {}
    bool Run();
    const std::array<RoutineNodes, kRoutineCount> &Nodes() const { return m_nodes; }

private:
    FlowNode &Node(int slot) { return m_nodes[m_routine][slot]; }
    // The next path after an end or a box met again; false when the walk is over.
    bool NextPath(bool &failed);
    int LowestFreeSlot() const
    {
        for (int slot = 1; slot < kRoutineSlots; ++slot)
            if (!m_nodes[m_routine][slot].IsUsed())
                return slot;
        return kNoSlot;
    }

    const ByteList &m_memory;
    std::array<RoutineNodes, kRoutineCount> m_nodes {};
    QHash<QPair<int, int>, int> m_visited;  // (routine, address) -> slot
    QList<PendingIf> m_pending;
    QList<int> m_subroutines;  // start addresses in order of discovery
    int m_nextSubroutine = 0;
    int m_routine = 0;
    int m_address = 0;
    int m_slot = 0;
    int m_previous = 0;
    bool m_afterIf = true;
    int m_x = kStartX;
    int m_y = kStartY;
};

bool ReadBackWalk::NextPath(bool &failed)
{
    for (qsizetype i = 0; i < m_pending.size(); ++i) {
        if (m_pending[i].routine != m_routine)
            continue;
        const PendingIf pending = m_pending.takeAt(i);
        m_address = pending.branchAddress;
        m_previous = pending.slot;
        m_afterIf = false;
        Node(pending.slot).branch = m_slot;
        m_x = Node(pending.slot).x + kColumnStep;
        m_y = Node(pending.slot).y + kRowStep;
        return true;
    }
    if (m_nextSubroutine >= m_subroutines.size())
        return false;
    if (m_routine + 1 >= kRoutineCount) {
        failed = true;
        return false;
    }
    m_address = m_subroutines[m_nextSubroutine++];
    ++m_routine;
    m_slot = 0;
    m_previous = 0;
    m_x = kStartX;
    m_y = kStartY;
    return true;
}

bool ReadBackWalk::Run()
{
    for (int round = 0;; ++round) {
        if (round >= kRoundLimit || m_address < 0 || m_address >= m_memory.size())
            return false;
        if (m_memory[m_address] == kEndOfProgramByte)
            return true;
        bool metAgain = false;
        bool ended = false;
        const auto key = qMakePair(m_routine, m_address);
        if (const auto found = m_visited.constFind(key); found != m_visited.constEnd()) {
            const int target = *found;
            FlowNode &previous = Node(m_previous);
            if (previous.kind == QLatin1String("if") && !m_afterIf)
                previous.branch = target;
            else
                previous.next = target;
            Node(target).preds << m_previous;
            metAgain = true;
        } else {
            const std::optional<DecodedInstruction> decoded = DecodeInstructionAt(m_memory, m_address);
            if (!decoded || m_slot == kNoSlot)
                return false;
            ParameterList params = decoded->params;
            if (decoded->kind == InstructionKind::Routine) {
                const int address = decoded->subroutineAddress.value_or(0);
                if (!m_subroutines.contains(address))
                    m_subroutines << address;
                params = ParameterList {0, {int(m_subroutines.indexOf(address)) + 1, 0, 0, 0, 0}};
            }
            FlowNode &node = Node(m_slot);
            node = FlowNode {m_slot, NameOf(decoded->kind), m_x, m_y, {}, kNoSlot, kNoSlot, params.ToText()};
            m_visited.insert(key, m_slot);
            if (decoded->kind != InstructionKind::Start)
                node.preds << m_previous;
            m_previous = m_slot;
            ended = decoded->kind == InstructionKind::End;
            if (!ended)
                node.next = m_slot + 1 < kRoutineSlots ? m_slot + 1 : kNoSlot;
            m_y += kRowStep;
            if (decoded->kind == InstructionKind::If) {
                if (!decoded->branch)
                    return false;
                m_pending << PendingIf {m_routine, m_slot, *decoded->branch};
                m_afterIf = true;
            }
            m_address = decoded->next.value_or(0);
            m_slot = LowestFreeSlot();
        }
        if (metAgain || ended) {
            bool failed = false;
            if (!NextPath(failed))
                return !failed;
        }
    }
}

}  // namespace

std::optional<QStringList> ReadBackSection(const QStringList &dump)
{
    const std::optional<ByteList> memory = MemoryOf(dump);
    if (!memory)
        return std::nullopt;
    ReadBackWalk walk(*memory);
    if (!walk.Run())
        return std::nullopt;
    QStringList section {kSubroutineMarker, QString(), QString(), QString(), QString()};
    for (RoutineNodes routine : walk.Nodes()) {
        // The walk's places can make a long branch path end below the box it
        // joins; a routine of if blocks is laid out as its blocks instead.
        if (const std::optional<BlockSequence> blocks = BlocksOf(routine, 0))
            LayOutBlocks(routine, *blocks, kStartX, kStartY);
        for (const FlowNode &node : routine)
            section << NodeLine(node);
    }
    return section;
}

}  // namespace kq
