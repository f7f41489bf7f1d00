#pragma once

#include "model/encoder.h"

#include <vector>

namespace kq {

// Where one slot's instruction begins in the bytes EncodeProgram writes.
struct InstructionStart {
    int address = 0;
    int routine = 0;
    int slot = 0;
    bool operator==(const InstructionStart &) const = default;
};

// Every encoded instruction's start, in address order: how the addresses a
// running program reports lead back to the editor's slots.
std::vector<InstructionStart> InstructionStarts(const Routines &routines, int generation);

}  // namespace kq
