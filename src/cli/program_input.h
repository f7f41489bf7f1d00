#pragma once

#include "editors/icon/icon_row.h"
#include "model/program_lines.h"

#include <QString>
#include <QStringList>

#include <optional>

// Reading the program a command works on: a file of program lines, a
// program file whose first line is "OK", an icon file (from its slots) or a
// text file (from its text).
namespace kq::cli {

struct ProgramInput {
    std::vector<ProgramLine> instructions;
    int generation = kCurrentGeneration;
    // An icon file's slots, which make its bytes themselves.
    std::optional<IconRow> iconRow;
};

struct ProgramInputResult {
    std::optional<ProgramInput> input;
    int exitCode = 0;  // when input is empty; the message is already printed
};

// Arguments: FILE [--generation 3|4] [--keywords FILE].
ProgramInputResult ReadProgramInput(const QStringList &arguments, const char *usage);

}  // namespace kq::cli
