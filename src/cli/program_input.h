#pragma once

#include "editors/flowchart/flowchart.h"
#include "editors/icon/icon_row.h"
#include "model/encoder.h"
#include "model/program_lines.h"

#include <QString>
#include <QStringList>

#include <optional>

// Reading the program a command works on: a file of program lines, a
// program file whose first line is "OK", an icon file (from its slots), a
// flowchart file (from its boxes) or a text file (from its text).
namespace kq::cli {

struct ProgramInput {
    std::vector<ProgramLine> instructions;
    int generation = kCurrentGeneration;
    // An icon file's slots, which make its bytes themselves.
    std::optional<IconRow> iconRow;
    // A flowchart file's boxes, checked, which make its bytes themselves.
    std::optional<Flowchart> flowchart;
};

struct ProgramInputResult {
    std::optional<ProgramInput> input;
    int exitCode = 0;  // when input is empty; the message is already printed
};

// What FILE [--generation 3|4] [--keywords FILE] says.
struct ProgramArguments {
    QString path;
    QString keywordsPath;
    int generation = kCurrentGeneration;
};

struct ProgramArgumentsResult {
    std::optional<ProgramArguments> arguments;
    int exitCode = 0;  // when arguments is empty; the usage is already printed
};

ProgramArgumentsResult ReadProgramArguments(const QStringList &arguments, const char *usage);

// Arguments: FILE [--generation 3|4] [--keywords FILE].
ProgramInputResult ReadProgramInput(const QStringList &arguments, const char *usage);

// The bytes the clock stores for the program, without framing; nullopt when
// it does not fit the clock's memory.
[[nodiscard]] std::optional<ByteList> ProgramBytesOf(const ProgramInput &input);

}  // namespace kq::cli
