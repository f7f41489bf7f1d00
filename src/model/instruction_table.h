#pragma once

#include "model/encoder.h"
#include "model/program_lines.h"

#include <optional>
#include <vector>

// The linked table the text step (and kq27-tool) builds from program lines:
// entry 0 is start, then one entry per instruction line, then end; next and
// branch follow the structured if/else/endif blocks.
namespace kq {

inline constexpr int kTableEntries = kRoutineSlots;

struct TableEntry {
    int number = 0;
    InstructionKind kind = InstructionKind::Start;
    ParameterList params;
    std::optional<int> next;    // entry number; none for end
    std::optional<int> branch;  // entry number; if only
};

struct InstructionTable {
    std::vector<TableEntry> entries;  // only the entries in use, by number
};

// Number of entries the lines would need: start, end and one per instruction.
int InstructionTableEntriesNeeded(const std::vector<ProgramLine> &instructions);

// nullopt when the program needs more than 60 entries; nothing is built then.
// The lines must have passed ParseProgramLines (markers pair up).
[[nodiscard]] std::optional<InstructionTable> BuildInstructionTable(const std::vector<ProgramLine> &instructions);

// Sum of the entries' sizes.
int MemoryTotal(const InstructionTable &table, int generation);

// The table as the encoder's routine 0.
Routines RoutinesOf(const InstructionTable &table);

}  // namespace kq
