#pragma once

#include "model/catalogue.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

// The byte program the clock stores and runs: up to five routines of 60 slots
// laid out one after another, each instruction ending with the address of its
// successor (and an if with that of its false branch).
namespace kq {

inline constexpr int kRoutineSlots = 60;
inline constexpr int kRoutineCount = 5;
inline constexpr int kMemoryLimit = 120;
inline constexpr int kTransferStartItem = 240;
inline constexpr int kTransferEndItem = 250;
// A 250 where an instruction would start ends the stored program.
inline constexpr int kEndOfProgramByte = 250;

// One instruction as an editor hands it to the encoder; next and branch are
// slot numbers in the same routine.
struct InstructionRecord {
    InstructionKind kind = InstructionKind::Start;
    ParameterList params;
    std::optional<int> next;
    std::optional<int> branch;
};

using Routine = std::array<std::optional<InstructionRecord>, kRoutineSlots>;
using Routines = std::vector<Routine>;

// Byte values in order, one item per byte.
using ByteList = QList<int>;

// The bytes of every occupied slot of routines 0..4 in order, without framing.
// Does not validate: each editor checks its program first.
ByteList EncodeProgram(const Routines &routines, int generation);

// The memory count: sizes of every occupied slot, start and end included.
int ProgramSize(const Routines &routines, int generation);

// Byte offset of slot `slot` of routine `routine` from the main start; the
// slot itself need not be occupied.
int AddressOf(const Routines &routines, int routine, int slot, int generation);

// "240", the bytes, "250": what the clock receives for a program.
ByteList FrameTransfer(const ByteList &bytes);

// The decimal text of each item, as byte lists travel in files and reports.
QStringList ByteListTexts(const ByteList &bytes);

// One instruction read back from the clock's memory.
struct DecodedInstruction {
    int address = 0;
    int code = 0;  // the first byte; below 128 for a timed full-colour lamp
    InstructionKind kind = InstructionKind::Start;
    ParameterList params;
    int size = 0;
    std::optional<int> next;    // address
    std::optional<int> branch;  // address, if only
    std::optional<int> subroutineAddress;  // routine only; its number is the reader's to assign
};

// nullopt at an end-of-program byte (250), outside memory, or where the
// instruction runs past the end of memory.
[[nodiscard]] std::optional<DecodedInstruction> DecodeInstructionAt(const ByteList &memory, int address);

}  // namespace kq
