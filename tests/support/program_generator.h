#pragma once

#include <QStringList>

#include <random>
#include <vector>

// Random valid programs as program lines, for the properties that every
// step's conversions must keep: statements the text step accepts, if blocks
// and loops nested as its checks allow, within 60 boxes and 120 bytes.
namespace kq::testing {

// How the generator leans; the percentages are per statement or per block.
struct ProgramShape {
    const char *name;
    int ifPercent;         // a statement is an if block
    int loopPercent;       // a statement is a loop around a block (loops never nest)
    int emptyThenPercent;  // the if line directly followed by its else line
    int emptyElsePercent;  // the else line directly followed by its endif line
    int maxDepth;          // if blocks inside if blocks
    int maxBlockLength;    // statements in one block
};

// Flat programs, empty then-parts, empty else-parts, several blocks in a
// row, blocks three deep and loops around blocks.
const std::vector<ProgramShape> &ProgramShapes();

// "START", the lines, "END".
QStringList RandomProgram(const ProgramShape &shape, std::mt19937 &random);

// The lines with each colour as the clock keeps it and reads it back: 6-bit
// levels, and no packed byte of 250.
QStringList StoredColours(const QStringList &lines);

}  // namespace kq::testing
