#include "model/instruction_table.h"

#include <cstddef>
#include <memory>

namespace kq {

namespace {

// A block is a list of statements; a statement is one entry, or a whole
// conditional with its then and else blocks.
struct Statement;
using Block = std::vector<Statement>;

struct Statement {
    int entry = 0;  // the entry itself, or the conditional's if entry
    std::unique_ptr<Block> thenBlock;  // set for conditionals only
    std::unique_ptr<Block> elseBlock;
};

void Link(const Block &block, int successor, std::vector<TableEntry> &entries)
{
    for (std::size_t i = 0; i < block.size(); ++i) {
        const Statement &statement = block[i];
        const int after = i + 1 < block.size() ? block[i + 1].entry : successor;
        TableEntry &entry = entries[std::size_t(statement.entry)];
        if (!statement.thenBlock) {
            entry.next = after;
            continue;
        }
        entry.next = statement.thenBlock->empty() ? after : statement.thenBlock->front().entry;
        entry.branch = statement.elseBlock->empty() ? after : statement.elseBlock->front().entry;
        Link(*statement.thenBlock, after, entries);
        Link(*statement.elseBlock, after, entries);
    }
}

}  // namespace

int InstructionTableEntriesNeeded(const std::vector<ProgramLine> &instructions)
{
    int needed = 2;
    for (const ProgramLine &line : instructions)
        needed += IsStructureMarker(line.kind) ? 0 : 1;
    return needed;
}

std::optional<InstructionTable> BuildInstructionTable(const std::vector<ProgramLine> &instructions)
{
    if (InstructionTableEntriesNeeded(instructions) > kTableEntries)
        return std::nullopt;

    InstructionTable table;
    auto &entries = table.entries;
    entries.push_back({0, InstructionKind::Start, {}, {}, {}});

    Block top;
    // The block each open level appends to; the innermost is at the back.
    std::vector<Block *> open{&top};
    // The else block of each open if, to switch to when its else line comes.
    std::vector<Block *> openElseBlocks;
    for (const ProgramLine &line : instructions) {
        if (line.kind == InstructionKind::Else) {
            if (!openElseBlocks.empty())
                open.back() = openElseBlocks.back();
            continue;
        }
        if (line.kind == InstructionKind::Endif) {
            if (!openElseBlocks.empty()) {
                openElseBlocks.pop_back();
                open.pop_back();
            }
            continue;
        }
        const int number = int(entries.size());
        entries.push_back({number, line.kind, line.params, {}, {}});
        Statement statement;
        statement.entry = number;
        if (line.kind == InstructionKind::If) {
            statement.thenBlock = std::make_unique<Block>();
            statement.elseBlock = std::make_unique<Block>();
        }
        Block *thenBlock = statement.thenBlock.get();
        Block *elseBlock = statement.elseBlock.get();
        open.back()->push_back(std::move(statement));
        if (line.kind == InstructionKind::If) {
            openElseBlocks.push_back(elseBlock);
            open.push_back(thenBlock);
        }
    }
    const int endEntry = int(entries.size());
    entries.push_back({endEntry, InstructionKind::End, {}, {}, {}});

    entries[0].next = top.empty() ? endEntry : top.front().entry;
    Link(top, endEntry, entries);
    return table;
}

int MemoryTotal(const InstructionTable &table, int generation)
{
    int total = 0;
    for (const TableEntry &entry : table.entries)
        total += CommandSizeOf(entry.kind, entry.params, generation);
    return total;
}

Routines RoutinesOf(const InstructionTable &table)
{
    Routines routines(1);
    for (const TableEntry &entry : table.entries) {
        if (entry.number >= 0 && entry.number < kRoutineSlots)
            routines[0][std::size_t(entry.number)] = InstructionRecord{entry.kind, entry.params, entry.next, entry.branch};
    }
    return routines;
}

}  // namespace kq
