#include "editors/flowchart/flowchart_code.h"

namespace kq {

namespace {

std::optional<int> LinkOf(int slot)
{
    if (slot < 0 || slot >= kRoutineSlots)
        return std::nullopt;
    return slot;
}

}  // namespace

Routines RoutinesOf(const Flowchart &flowchart)
{
    Routines routines(kRoutineCount);
    for (int r = 0; r < kRoutineCount; ++r) {
        for (int slot = 0; slot < kRoutineSlots; ++slot) {
            const FlowNode &node = flowchart.Node(r, slot);
            const std::optional<InstructionKind> kind = InstructionKindOfName(node.kind);
            if (!node.IsUsed() || !kind)
                continue;
            routines[std::size_t(r)][std::size_t(slot)] = InstructionRecord {*kind,
                ParameterList::FromText(node.params).value_or(ParameterList {}), LinkOf(node.next),
                LinkOf(node.branch)};
        }
    }
    return routines;
}

GeneratedProgram GenerateProgram(const Flowchart &flowchart)
{
    GeneratedProgram program;
    const ProgramCheck check = CheckProgram(flowchart);
    program.result = check.result;
    program.backEdge = check.backEdge;
    if (check.result != CheckResult::Correct)
        return program;
    const int generation = flowchart.Generation();
    const Routines routines = RoutinesOf(flowchart);
    program.bytes = EncodeProgram(routines, generation);
    // The map follows the encoder's order: each box's next, then an if's branch.
    for (int r = 0; r < kRoutineCount; ++r) {
        for (int slot = 0; slot < kRoutineSlots; ++slot) {
            const auto &record = routines[std::size_t(r)][std::size_t(slot)];
            if (!record)
                continue;
            const std::optional<int> code = CommandCodeOf(record->kind, record->params, generation);
            if (!code)
                continue;
            const CodeLayout layout = LayoutOfCode(*code);
            auto mapLink = [&](const std::optional<int> &link) {
                if (link)
                    program.addressMap << QString::number(AddressOf(routines, r, *link, generation)) + ','
                            + QString::number(*link);
            };
            if (layout.hasNext)
                mapLink(record->next);
            if (layout.hasNext && layout.hasBranch)
                mapLink(record->branch);
        }
    }
    return program;
}

std::optional<int> SlotOfAddress(const QStringList &addressMap, int address)
{
    for (const QString &entry : addressMap) {
        const QStringList fields = entry.split(',');
        if (fields.size() == 2 && fields[0].toInt() == address)
            return fields[1].toInt();
    }
    return std::nullopt;
}

}  // namespace kq
