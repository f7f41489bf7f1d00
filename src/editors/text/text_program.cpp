#include "editors/text/text_program.h"

#include "base/text_helpers.h"
#include "editors/text/text_statement.h"

#include <vector>

namespace kq {

namespace {

const QString kCloseLine = QStringLiteral("}");
const QString kElseLine = QStringLiteral("else{");

QString KeywordPart(const QString &line)
{
    const qsizetype open = line.indexOf(QLatin1Char('('));
    return open < 0 ? line : line.left(open);
}

// Checks 3 and 5 count any line holding these letters as a block opener,
// a changed keyword included.
bool OpensBlock(const QString &line)
{
    return line.contains(u"if") || line.contains(u"else");
}

// The index of the first line a check fails at; nullopt when it passes.
using FailingLine = std::optional<qsizetype>;

// A counter of open blocks; the openers are kept to name the one left open.
FailingLine UnbalancedBlockLine(const QStringList &lines)
{
    std::vector<qsizetype> open;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (OpensBlock(lines[i]))
            open.push_back(i);
        if (lines[i].contains(kCloseLine)) {
            if (open.empty())
                return i;
            open.pop_back();
        }
    }
    return open.empty() ? FailingLine{} : open.back();
}

FailingLine MisorderedBlockLine(const QStringList &lines)
{
    enum class Block { If, Else };
    struct Marker {
        int value;
        qsizetype line;
    };
    std::vector<Marker> markers;
    std::vector<Block> blocks;
    const auto closeToIf = [&markers] {
        while (!markers.empty() && markers.back().value != 1)
            markers.pop_back();
        if (markers.empty())
            return false;
        markers.pop_back();
        return true;
    };
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        if (KeywordPart(line) == u"if") {
            markers.push_back({1, i});
            blocks.push_back(Block::If);
        } else if (line == kCloseLine) {
            if (blocks.empty())
                return i;
            if (blocks.back() == Block::Else) {
                markers.push_back({4, i});
                if (!closeToIf())
                    return i;
            } else {
                markers.push_back({2, i});
                const bool elseFollows = i + 1 < lines.size() && lines[i + 1].contains(kElseLine);
                if (!elseFollows && !closeToIf())
                    return i;
            }
            blocks.pop_back();
        } else if (line == kElseLine) {
            const std::size_t n = markers.size();
            if (i == 0 || lines[i - 1] != kCloseLine || n < 2 || markers[n - 1].value != 2
                || markers[n - 2].value != 1)
                return i;
            markers.push_back({3, i});
            blocks.push_back(Block::Else);
        }
    }
    return markers.empty() ? FailingLine{} : markers.back().line;
}

FailingLine MisplacedLoopLine(const QStringList &lines, const KeywordFile &keywords)
{
    const QString loopStart = keywords.KeywordOf(27);
    const QString loopEnd = keywords.KeywordOf(28);
    int depth = 0;
    std::optional<qsizetype> openLoop;  // the line of the loop start
    int openedAt = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        if (OpensBlock(line))
            ++depth;
        if (line.contains(kCloseLine)) {
            --depth;
            if (openLoop && depth < openedAt)
                return i;
        }
        if (!IsStatementLine(line))
            continue;
        const QString keyword = KeywordPart(line);
        if (keyword == loopStart) {
            if (openLoop)
                return i;
            openLoop = i;
            openedAt = depth;
        } else if (keyword == loopEnd) {
            if (!openLoop || depth != openedAt)
                return i;
            openLoop.reset();
            openedAt = 0;
        }
    }
    return openLoop;
}

FailingLine UnassignedVariableXLine(const QStringList &lines, const KeywordFile &keywords)
{
    const QString assign = keywords.KeywordOf(29);
    bool assigned = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!IsStatementLine(lines[i]))
            continue;
        const std::optional<TextStatement> statement = ParseStatement(lines[i], keywords);
        if (!statement)
            continue;
        if (statement->slot == kIfSlot) {
            const std::optional<TextCondition> condition = ParseCondition(statement->argumentText);
            if (condition && condition->variant >= 7 && !assigned)
                return i;
        } else if (statement->keyword == assign) {
            assigned = true;
        }
    }
    return std::nullopt;
}

// The non-empty normalised lines and, for each, its 1-based line in the text.
struct NumberedLines {
    QStringList lines;
    std::vector<int> numbers;
};

NumberedLines NumberedNormalisedLines(const QStringList &editorLines)
{
    NumberedLines result;
    for (qsizetype i = 0; i < editorLines.size(); ++i) {
        QString normalised = CleanTextLine(editorLines[i]);
        if (normalised.isEmpty())
            continue;
        result.lines.append(std::move(normalised));
        result.numbers.push_back(int(i + 1));
    }
    return result;
}

std::optional<std::pair<int, int>> KindVariantOfCode(int code)
{
    const auto range = [code](int first, int last, int kind, int firstVariant) -> std::optional<std::pair<int, int>> {
        if (code >= first && code <= last)
            return std::pair{kind, firstVariant + code - first};
        return std::nullopt;
    };
    if (code == 166 || code == 167)
        return std::pair{6, code - 163};
    if (code == 177 || code == 178)
        return std::pair{7, code - 175};
    for (const auto &result : {range(131, 132, 2, 1), range(135, 136, 3, 0), range(140, 142, 4, 0),
                               range(150, 155, 5, 0), range(160, 165, 6, 0), range(170, 176, 7, 0),
                               range(190, 191, 9, 0), range(200, 200, 11, 0), range(210, 216, 12, 0),
                               range(220, 227, 13, 0)}) {
        if (result)
            return result;
    }
    return std::nullopt;
}

int PaletteNumberOf(const QString &name)
{
    static const QStringList names = {QStringLiteral("red"),    QStringLiteral("green"),  QStringLiteral("blue"),
                                      QStringLiteral("yellow"), QStringLiteral("purple"), QStringLiteral("lightblue")};
    const qsizetype index = names.indexOf(name);
    return index < 0 ? 6 : int(index);
}

QString LineText(int kind, int variant, std::array<int, 5> p)
{
    return ProgramLine{InstructionKind(kind), {variant, p}}.ToText();
}

struct OpenConditional {
    bool inElse = false;
    int variant = 0;
};

class Translator {
public:
    explicit Translator(const KeywordFile &keywords) : m_keywords(keywords) {}

    bool Add(const QStringList &lines, qsizetype i)
    {
        const QString &line = lines[i];
        if (line == kElseLine) {
            if (m_open.empty())
                return false;
            Emit(20, ConditionGroupOf(m_open.back().variant));
            m_open.back().inElse = true;
            return true;
        }
        if (line == kCloseLine) {
            if (i + 1 < lines.size() && lines[i + 1].contains(kElseLine))
                return true;
            if (m_open.empty())
                return false;
            const OpenConditional closed = m_open.back();
            m_open.pop_back();
            const int group = ConditionGroupOf(closed.variant);
            if (!closed.inElse)
                Emit(20, group);
            Emit(21, group);
            return true;
        }
        const std::optional<TextStatement> statement = ParseStatement(line, m_keywords);
        return statement && AddStatement(*statement);
    }

    QStringList Result() const { return QStringList{kStartLine} + m_lines + QStringList{kEndLine}; }

private:
    void Emit(int kind, int variant, std::array<int, 5> p = {}) { m_lines.append(LineText(kind, variant, p)); }

    bool AddStatement(const TextStatement &statement)
    {
        const KeywordLine &line = m_keywords.Line(statement.slot);
        const QStringList &a = statement.arguments;
        std::array<int, 5> values{};
        const auto integers = [&](int count) {
            if (a.size() < count)
                return false;
            for (int i = 0; i < count; ++i) {
                const std::optional<int> value = IntegerValueOf(a[i]);
                if (!value)
                    return false;
                values[std::size_t(i)] = *value;
            }
            return true;
        };

        const bool otherGroup = line.group < 0 || line.group > 3;
        if (otherGroup) {
            const std::optional<int> quarters = a.size() == 4 ? QuarterStepsOf(a[3]) : std::nullopt;
            if (!integers(3) || !quarters)
                return false;
            Emit(2, 0, {values[0], values[1], values[2], *quarters, 0});
            return true;
        }
        if (line.group == 1 && !KindVariantOfCode(line.code)) {
            const std::optional<TextCondition> condition =
                a.size() == 1 ? ParseCondition(a[0]) : std::optional<TextCondition>{};
            if (!condition)
                return false;
            Emit(8, condition->variant, {condition->threshold, 0, 0, 0, 0});
            m_open.push_back({false, condition->variant});
            return true;
        }
        const std::optional<std::pair<int, int>> kv = KindVariantOfCode(line.code);
        if (!kv)
            return false;
        const auto [kind, variant] = *kv;
        switch (line.group) {
        case 0:
            if (line.code >= 224 && line.code <= 226)
                values[0] = 50;
            break;
        case 1:
            if (line.code == 135) {
                if (a.size() != 1)
                    return false;
                values[0] = PaletteNumberOf(a[0]);
            } else if (!integers(1)) {
                return false;
            }
            break;
        case 2:
            if (a.size() != 2)
                return false;
            if (line.code == 140) {
                const std::optional<int> quarters = QuarterStepsOf(a[1]);
                if (!integers(1) || !quarters)
                    return false;
                values[1] = *quarters;
            } else if (line.code == 220 || line.code == 221) {
                const std::optional<int> tenths = TenthStepsOf(a[0]);
                const std::optional<int> power = IntegerValueOf(a[1]);
                if (!tenths || !power)
                    return false;
                values[0] = *tenths;
                values[1] = *power;
            } else if (!integers(2)) {
                return false;
            }
            break;
        case 3:
            if (!integers(3))
                return false;
            values[3] = 4;
            break;
        }
        Emit(kind, variant, values);
        return true;
    }

    const KeywordFile &m_keywords;
    QStringList m_lines;
    std::vector<OpenConditional> m_open;
};

}  // namespace

bool IsStatementLine(const QString &line)
{
    return line != kCloseLine && line != kElseLine;
}

QStringList EditorLines(const QString &text)
{
    QStringList lines = QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(QLatin1Char('\n'));
    // The line break after the last line opens no line of its own.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString &line : lines)
        line.append(QStringLiteral("\r\n"));
    return lines;
}

QStringList EditorLinesOfSection(const QStringList &section)
{
    QStringList lines;
    for (const QString &line : section)
        lines.append(line + QStringLiteral("\r\n"));
    return lines;
}

QStringList NormalisedLines(const QStringList &editorLines)
{
    return NumberedNormalisedLines(editorLines).lines;
}

std::optional<TextCheckFailure> FirstFailingCheck(const QStringList &editorLines, const KeywordFile &keywords)
{
    const NumberedLines numbered = NumberedNormalisedLines(editorLines);
    const QStringList &lines = numbered.lines;
    const auto failure = [&numbered](const QString &message, qsizetype index) {
        return TextCheckFailure{message, numbered.numbers[std::size_t(index)]};
    };
    if (lines.size() > kMaxTextLines)
        return failure(kTooManyStatementsMessage, kMaxTextLines);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (IsStatementLine(lines[i]) && !ParseStatement(lines[i], keywords))
            return failure(kSyntaxErrorMessage, i);
    }
    if (const FailingLine line = UnbalancedBlockLine(lines))
        return failure(kConditionalErrorMessage, *line);
    if (const FailingLine line = MisorderedBlockLine(lines))
        return failure(kConditionalErrorMessage, *line);
    if (const FailingLine line = MisplacedLoopLine(lines, keywords))
        return failure(kLoopErrorMessage, *line);
    if (const FailingLine line = UnassignedVariableXLine(lines, keywords))
        return failure(kVariableXErrorMessage, *line);
    return std::nullopt;
}

std::optional<QString> CheckTextProgram(const QStringList &editorLines, const KeywordFile &keywords)
{
    const std::optional<TextCheckFailure> failure = FirstFailingCheck(editorLines, keywords);
    return failure ? std::optional<QString>(failure->message) : std::nullopt;
}

std::optional<QStringList> TranslateText(const QStringList &editorLines, const KeywordFile &keywords)
{
    const QStringList lines = NormalisedLines(editorLines);
    Translator translator(keywords);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!translator.Add(lines, i))
            return std::nullopt;
    }
    return translator.Result();
}

}  // namespace kq
