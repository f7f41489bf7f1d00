#pragma once

#include "model/catalogue.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The step-neutral program: "START", one line kind,v,p1..p5 per instruction
// in execution order, if blocks closed by an endif line (with an optional
// else line before the false branch), "END". Every step reads and writes it.
namespace kq {

inline const QString kStartLine = QStringLiteral("START");
inline const QString kEndLine = QStringLiteral("END");
inline const QString kCannotHandOverMessage =
    QStringLiteral("プログラムが正しくないので他のステップで開くことが出来ません。");

struct ProgramLine {
    InstructionKind kind = InstructionKind::Start;
    ParameterList params;

    QString ToText() const;
    bool operator==(const ProgramLine &) const = default;
};

// else and endif: they close the parts of an if and stand for no instruction.
constexpr bool IsStructureMarker(InstructionKind kind)
{
    return kind == InstructionKind::Else || kind == InstructionKind::Endif;
}

// Seven comma-separated decimal fields, the first a kind number; nullopt
// otherwise. Says nothing of whether the variant exists or the kind may
// stand in program lines.
[[nodiscard]] std::optional<ProgramLine> ParseProgramLine(QStringView text);

// The lines from the first "START" to the first "END" after it, both
// included; empty when either is missing.
QStringList ProgramLinesRange(const QStringList &lines);

// Whether two lists describe the same program: the texts from "START" to
// "END", line by line.
bool SameProgramLines(const QStringList &a, const QStringList &b);

struct ProgramLinesError {
    int lineNumber = 0;  // 1-based position in the list handed in; 0 for the whole list
    QString line;
    QString reason;
};

struct ParsedProgramLines {
    std::vector<ProgramLine> instructions;  // between START and END, markers included
    std::optional<ProgramLinesError> error;
};

// Reads the program lines out of `lines` (lines outside START..END ignored)
// and checks them: field count, numbers, kinds and variants that exist, no
// subroutine calls, parameters that fit a byte, else/endif belonging to an
// open if, loops that do not nest and are closed.
ParsedProgramLines ParseProgramLines(const QStringList &lines);

// The memory count of the program the lines describe: start, every
// instruction and end. Does not need the table, so it works for programs too
// long to transfer.
int ProgramLinesMemoryCount(const std::vector<ProgramLine> &instructions, int generation);

}  // namespace kq
