#include "model/program_lines.h"

#include "base/text_helpers.h"

#include <cstddef>

namespace kq {

namespace {

constexpr int kFields = 7;

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

bool IsInstructionKind(int kind)
{
    return (kind >= kFullTime && kind <= kTrain && kind != kRoutine);
}

ProgramLinesError ErrorAt(int index, const QString &line, const QString &reason)
{
    return {index + 1, line, reason};
}

}  // namespace

QString ProgramLine::ToText() const
{
    return QString::number(kind) + QLatin1Char(',') + params.ToText();
}

std::optional<ProgramLine> ParseProgramLine(QStringView text)
{
    if (FieldCount(text, QLatin1Char(',')) != kFields)
        return std::nullopt;
    int values[kFields] = {};
    for (int i = 0; i < kFields; ++i) {
        const std::optional<int> v = DecimalValueOf(FieldOf(text, i + 1, QLatin1Char(',')));
        if (!v)
            return std::nullopt;
        values[i] = *v;
    }
    ProgramLine line;
    line.kind = values[0];
    line.params.variant = values[1];
    for (int i = 0; i < kParameterSlots; ++i)
        line.params.p[std::size_t(i)] = values[i + 2];
    return line;
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
        const std::optional<ProgramLine> line = ParseProgramLine(text);
        if (!line) {
            result.error = ErrorAt(index, text, QStringLiteral("not seven comma-separated decimal numbers"));
            return result;
        }
        const int kind = line->kind;
        const int v = line->params.variant;
        if (kind == kRoutine) {
            result.error = ErrorAt(index, text, QStringLiteral("subroutine calls (kind 10) cannot stand in program lines"));
            return result;
        }
        if (kind == kElse || kind == kEndif) {
            if (v < 0 || v > 2) {
                result.error = ErrorAt(index, text, QStringLiteral("condition group must be 0, 1 or 2"));
                return result;
            }
            if (openIfs.empty()) {
                result.error = ErrorAt(index, text, kind == kElse ? QStringLiteral("else without an open if")
                                                                 : QStringLiteral("endif without an open if"));
                return result;
            }
            if (kind == kElse) {
                if (openIfs.back()) {
                    result.error = ErrorAt(index, text, QStringLiteral("second else for the same if"));
                    return result;
                }
                openIfs.back() = true;
            } else {
                openIfs.pop_back();
            }
            result.instructions.push_back(*line);
            continue;
        }
        if (!IsInstructionKind(kind)) {
            result.error = ErrorAt(index, text, QStringLiteral("unknown instruction kind %1").arg(kind));
            return result;
        }
        if (!IsKnownVariant(kind, v)) {
            result.error = ErrorAt(index, text, QStringLiteral("kind %1 has no variant %2").arg(kind).arg(v));
            return result;
        }
        for (int p : line->params.p) {
            if (p < 0 || p > 255) {
                result.error = ErrorAt(index, text, QStringLiteral("parameter %1 does not fit in a byte").arg(p));
                return result;
            }
        }
        if (kind == kIf)
            openIfs.push_back(false);
        if (kind == kLoop && v == 0) {
            if (openLoopLine >= 0) {
                result.error = ErrorAt(index, text, QStringLiteral("loop start inside the loop opened on line %1").arg(openLoopLine + 1));
                return result;
            }
            openLoopLine = index;
        }
        if (kind == kLoop && v == 1) {
            if (openLoopLine < 0) {
                result.error = ErrorAt(index, text, QStringLiteral("loop end without a loop start"));
                return result;
            }
            openLoopLine = -1;
        }
        result.instructions.push_back(*line);
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
    int count = CommandSizeOf(u"start", none, generation) + CommandSizeOf(u"end", none, generation);
    for (const ProgramLine &line : instructions) {
        if (line.kind != kElse && line.kind != kEndif)
            count += CommandSizeOf(KindNameOf(line.kind), line.params, generation);
    }
    return count;
}

}  // namespace kq
