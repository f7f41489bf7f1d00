#include "model/program_lines.h"

#include "base/text_helpers.h"

#include <array>
#include <cstddef>

namespace kq {

namespace {

constexpr int kFields = 7;
using Fields = std::array<int, kFields>;

std::optional<int> DecimalValueOf(QStringView text)
{
    QStringView digits = text;
    if (digits.startsWith(QLatin1Char('-')))
        digits = digits.mid(1);
    if (digits.isEmpty() || digits.size() > 9)
        return std::nullopt;
    for (QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    return text.toInt();
}

std::optional<Fields> ParseFields(QStringView text)
{
    if (FieldCount(text, QLatin1Char(',')) != kFields)
        return std::nullopt;
    Fields values{};
    for (int i = 0; i < kFields; ++i) {
        const std::optional<int> v = DecimalValueOf(FieldOf(text, i + 1, QLatin1Char(',')));
        if (!v)
            return std::nullopt;
        values[std::size_t(i)] = *v;
    }
    return values;
}

ProgramLine LineOf(InstructionKind kind, const Fields &values)
{
    ProgramLine line;
    line.kind = kind;
    line.params.variant = values[1];
    for (int i = 0; i < kParameterSlots; ++i)
        line.params.p[std::size_t(i)] = values[std::size_t(i + 2)];
    return line;
}

// What may stand on an instruction line: start and end have the lines
// "START" and "END", and the lines describe one routine, so no calls.
bool IsLineInstruction(InstructionKind kind)
{
    return kind >= InstructionKind::FullTime && kind <= InstructionKind::Train && kind != InstructionKind::Routine;
}

ProgramLinesError ErrorAt(int index, const QString &line, const QString &reason)
{
    return {index + 1, line, reason};
}

}  // namespace

QString ProgramLine::ToText() const
{
    return QString::number(int(kind)) + QLatin1Char(',') + params.ToText();
}

std::optional<ProgramLine> ParseProgramLine(QStringView text)
{
    const std::optional<Fields> values = ParseFields(text);
    if (!values)
        return std::nullopt;
    const std::optional<InstructionKind> kind = InstructionKindOfNumber(values->front());
    if (!kind)
        return std::nullopt;
    return LineOf(*kind, *values);
}

QStringList ProgramLinesRange(const QStringList &lines)
{
    const qsizetype start = lines.indexOf(kStartLine);
    if (start < 0)
        return {};
    const qsizetype end = lines.indexOf(kEndLine, start + 1);
    if (end < 0)
        return {};
    return lines.mid(start, end - start + 1);
}

bool SameProgramLines(const QStringList &a, const QStringList &b)
{
    return ProgramLinesRange(a) == ProgramLinesRange(b);
}

ParsedProgramLines ParseProgramLines(const QStringList &lines)
{
    ParsedProgramLines result;
    const qsizetype start = lines.indexOf(kStartLine);
    const qsizetype end = start < 0 ? -1 : lines.indexOf(kEndLine, start + 1);
    if (start < 0 || end < 0) {
        result.error = ProgramLinesError{0, {}, QStringLiteral("no \"START\" line followed by an \"END\" line")};
        return result;
    }

    // For each open if: whether its else line has been seen.
    std::vector<bool> openIfs;
    int openLoopLine = -1;
    for (qsizetype i = start + 1; i < end; ++i) {
        const QString &text = lines[i];
        const int index = int(i);
        const std::optional<Fields> values = ParseFields(text);
        if (!values) {
            result.error = ErrorAt(index, text, QStringLiteral("not seven comma-separated decimal numbers"));
            return result;
        }
        const std::optional<InstructionKind> parsedKind = InstructionKindOfNumber(values->front());
        if (!parsedKind) {
            result.error = ErrorAt(index, text, QStringLiteral("unknown instruction kind %1").arg(values->front()));
            return result;
        }
        const InstructionKind kind = *parsedKind;
        const ProgramLine line = LineOf(kind, *values);
        const int v = line.params.variant;
        if (kind == InstructionKind::Routine) {
            result.error = ErrorAt(index, text, QStringLiteral("subroutine calls (kind 10) cannot stand in program lines"));
            return result;
        }
        if (IsStructureMarker(kind)) {
            if (v < 0 || v > 2) {
                result.error = ErrorAt(index, text, QStringLiteral("condition group must be 0, 1 or 2"));
                return result;
            }
            if (openIfs.empty()) {
                result.error = ErrorAt(index, text,
                                       kind == InstructionKind::Else ? QStringLiteral("else without an open if")
                                                                     : QStringLiteral("endif without an open if"));
                return result;
            }
            if (kind == InstructionKind::Else) {
                if (openIfs.back()) {
                    result.error = ErrorAt(index, text, QStringLiteral("second else for the same if"));
                    return result;
                }
                openIfs.back() = true;
            } else {
                openIfs.pop_back();
            }
            result.instructions.push_back(line);
            continue;
        }
        if (!IsLineInstruction(kind)) {
            result.error = ErrorAt(index, text, QStringLiteral("unknown instruction kind %1").arg(int(kind)));
            return result;
        }
        if (!IsKnownVariant(kind, v)) {
            result.error = ErrorAt(index, text, QStringLiteral("kind %1 has no variant %2").arg(int(kind)).arg(v));
            return result;
        }
        for (int p : line.params.p) {
            if (p < 0 || p > 255) {
                result.error = ErrorAt(index, text, QStringLiteral("parameter %1 does not fit in a byte").arg(p));
                return result;
            }
        }
        if (kind == InstructionKind::If)
            openIfs.push_back(false);
        if (kind == InstructionKind::Loop && v == 0) {
            if (openLoopLine >= 0) {
                result.error = ErrorAt(index, text, QStringLiteral("loop start inside the loop opened on line %1").arg(openLoopLine + 1));
                return result;
            }
            openLoopLine = index;
        }
        if (kind == InstructionKind::Loop && v == 1) {
            if (openLoopLine < 0) {
                result.error = ErrorAt(index, text, QStringLiteral("loop end without a loop start"));
                return result;
            }
            openLoopLine = -1;
        }
        result.instructions.push_back(line);
    }
    if (!openIfs.empty()) {
        result.error = ErrorAt(int(end), lines[end], QStringLiteral("an if block is not closed by an endif line"));
        return result;
    }
    if (openLoopLine >= 0) {
        result.error = ErrorAt(openLoopLine, lines[openLoopLine], QStringLiteral("loop start without a loop end"));
        return result;
    }
    return result;
}

int ProgramLinesMemoryCount(const std::vector<ProgramLine> &instructions, int generation)
{
    const ParameterList none;
    int count =
        CommandSizeOf(InstructionKind::Start, none, generation) + CommandSizeOf(InstructionKind::End, none, generation);
    for (const ProgramLine &line : instructions) {
        if (!IsStructureMarker(line.kind))
            count += CommandSizeOf(line.kind, line.params, generation);
    }
    return count;
}

}  // namespace kq
