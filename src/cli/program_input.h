#pragma once

#include "model/program_lines.h"

#include <QString>
#include <QStringList>

#include <optional>

// Reading the program a command works on: a file of program lines, or a
// program file whose first line is "OK".
namespace kq::cli {

struct ProgramInput {
    std::vector<ProgramLine> instructions;
    int generation = kCurrentGeneration;
};

struct ProgramInputResult {
    std::optional<ProgramInput> input;
    int exitCode = 0;  // when input is empty; the message is already printed
};

// Arguments: FILE [--generation 3|4].
ProgramInputResult ReadProgramInput(const QStringList &arguments, const char *usage);

}  // namespace kq::cli
