#pragma once

#include "editors/flowchart/flowchart.h"
#include "editors/flowchart/flowchart_check.h"
#include "model/encoder.h"

#include <QStringList>

namespace kq {

// The five routines as the encoder takes them; boxes whose parameters do not
// read count with the defaults.
Routines RoutinesOf(const Flowchart &flowchart);

struct GeneratedProgram {
    CheckResult result = CheckResult::Correct;
    bool backEdge = false;
    // Empty when the check failed.
    ByteList bytes;
    // "address,slot" for every address byte written for an existing link,
    // in the order written: maps the addresses the clock reports to boxes.
    QStringList addressMap;
};

// Checks the program and, when it is correct, encodes all five routines.
[[nodiscard]] GeneratedProgram GenerateProgram(const Flowchart &flowchart);

// The slot of the first map entry with that address.
[[nodiscard]] std::optional<int> SlotOfAddress(const QStringList &addressMap, int address);

}  // namespace kq
