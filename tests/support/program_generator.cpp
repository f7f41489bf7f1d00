#include "support/program_generator.h"

#include "model/colour_packing.h"
#include "model/encoder.h"
#include "model/program_lines.h"

#include <array>
#include <utility>

namespace kq::testing {

namespace {

using Range = std::pair<int, int>;

// One statement of the text language as its program line: kind, variant and
// the ranges its parameters take ({0, 0} for an unused one).
struct Statement {
    int kind;
    int variant;
    std::array<Range, 4> ranges {};
};

constexpr Range kColour {0, 255};
constexpr Range kQuarters {1, 127};
constexpr Range kSeconds {1, 255};
constexpr Range kBrightness {1, 100};
constexpr Range kDegrees {1, 50};

const Statement kStatements[] = {
    {2, 0, {kColour, kColour, kColour, kQuarters}},
    {2, 1, {kColour, kColour, kColour, {4, 4}}},
    {2, 2, {kColour, kColour, kColour, {4, 4}}},
    {3, 0, {Range {0, 6}}},
    {3, 1},
    {4, 0, {kBrightness, kQuarters}},
    {4, 1},
    {4, 2},
    {5, 0},
    {5, 1},
    {5, 2},
    {5, 3},
    {5, 4},
    {5, 5},
    {6, 0, {kSeconds}},
    {6, 1, {kSeconds}},
    {6, 2, {kSeconds}},
    {6, 3, {kSeconds, kBrightness}},
    {6, 4, {kSeconds, kBrightness}},
    {6, 5, {kSeconds, kDegrees}},
    {7, 0},
    {7, 1},
    {7, 2, {kBrightness}},
    {7, 3, {kBrightness}},
    {7, 4, {kDegrees}},
    {7, 5},
    {7, 6},
    {11, 0},
    {12, 0},
    {12, 1, {kSeconds}},
    {12, 2},
    {12, 3},
    {12, 4, {kSeconds}},
    {12, 5},
    {12, 6},
    {13, 0, {kSeconds, Range {1, 10}}},
    {13, 1, {kSeconds, Range {1, 10}}},
    {13, 2},
    {13, 3},
    {13, 4, {Range {50, 50}}},
    {13, 5, {Range {50, 50}}},
    {13, 6, {Range {50, 50}}},
    {13, 7},
};

// The conditions; 7..9 compare with the variable x.
const Statement kConditions[] = {
    {8, 0},
    {8, 1},
    {8, 2, {kBrightness}},
    {8, 3, {kBrightness}},
    {8, 4, {kDegrees}},
    {8, 5, {kDegrees}},
    {8, 6, {kDegrees}},
    {8, 7},
    {8, 8},
    {8, 9},
};
constexpr int kFirstVariableCondition = 7;
// The text step's limit on the lines of a program.
constexpr int kTextLineLimit = 60;

class Generator {
public:
    Generator(const ProgramShape &shape, std::mt19937 &random) : m_shape(shape), m_random(random) {}

    QStringList Program()
    {
        QStringList lines {kStartLine};
        // x is assigned first or not at all, so that no path reaches a
        // comparison with x before its assignment.
        m_assigned = Percent(50);
        if (m_assigned)
            lines << QStringLiteral("11,0,0,0,0,0,0");
        Block(lines, 0, false, true);
        lines << kEndLine;
        return lines;
    }

private:
    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    bool Percent(int percent) { return Between(1, 100) <= percent; }

    QString LineOf(const Statement &statement)
    {
        QString line = QStringLiteral("%1,%2").arg(statement.kind).arg(statement.variant);
        for (const Range &range : statement.ranges)
            line += QLatin1Char(',') + QString::number(Between(range.first, range.second));
        return line + QStringLiteral(",0");
    }

    void Block(QStringList &lines, int depth, bool inLoop, bool outermost)
    {
        const int length = Between(outermost ? 1 : 0, m_shape.maxBlockLength);
        for (int n = 0; n < length; ++n) {
            const int choice = Between(1, 100);
            if (choice <= m_shape.ifPercent && depth < m_shape.maxDepth)
                IfBlock(lines, depth, inLoop);
            else if (choice <= m_shape.ifPercent + m_shape.loopPercent && !inLoop)
                Loop(lines, depth);
            else
                lines << LineOf(kStatements[Between(0, int(std::size(kStatements)) - 1)]);
        }
    }

    void IfBlock(QStringList &lines, int depth, bool inLoop)
    {
        const int last = m_assigned ? int(std::size(kConditions)) - 1 : kFirstVariableCondition - 1;
        const Statement &condition = kConditions[Between(0, last)];
        const int group = condition.variant <= 1 ? 0 : condition.variant <= 3 ? 1 : 2;
        lines << LineOf(condition);
        if (!Percent(m_shape.emptyThenPercent))
            Block(lines, depth + 1, inLoop, false);
        lines << QStringLiteral("20,%1,0,0,0,0,0").arg(group);
        if (!Percent(m_shape.emptyElsePercent))
            Block(lines, depth + 1, inLoop, false);
        lines << QStringLiteral("21,%1,0,0,0,0,0").arg(group);
    }

    void Loop(QStringList &lines, int depth)
    {
        lines << QStringLiteral("9,0,%1,0,0,0,0").arg(Between(1, 255));
        Block(lines, depth, true, false);
        lines << QStringLiteral("9,1,0,0,0,0,0");
    }

    const ProgramShape &m_shape;
    std::mt19937 &m_random;
    bool m_assigned = false;
};

// Whether the program fits the text step, one routine of the flowchart and
// the clock's memory.
bool Fits(const QStringList &lines)
{
    const ParsedProgramLines parsed = ParseProgramLines(lines);
    int boxes = 2;  // start and end
    int textLines = 0;  // at most "}", "else{" and "}" for each if
    for (const ProgramLine &line : parsed.instructions) {
        if (!IsStructureMarker(line.kind))
            ++boxes;
        textLines += line.kind == InstructionKind::If ? 4 : IsStructureMarker(line.kind) ? 0 : 1;
    }
    return !parsed.error && boxes <= kRoutineSlots && textLines <= kTextLineLimit
           && ProgramLinesMemoryCount(parsed.instructions, kCurrentGeneration) <= kMemoryLimit;
}

}  // namespace

const std::vector<ProgramShape> &ProgramShapes()
{
    static const std::vector<ProgramShape> shapes = {
        {"flat", 0, 25, 0, 0, 0, 8},
        {"empty then-parts", 45, 10, 70, 30, 3, 3},
        {"empty else-parts", 45, 10, 20, 70, 3, 3},
        {"bare conditions", 60, 30, 90, 90, 3, 4},
        {"blocks in a row", 70, 10, 30, 30, 1, 6},
        {"three deep", 65, 5, 15, 15, 3, 3},
        {"loops around blocks", 45, 45, 35, 35, 2, 3},
    };
    return shapes;
}

QStringList RandomProgram(const ProgramShape &shape, std::mt19937 &random)
{
    for (;;) {
        QStringList lines = Generator(shape, random).Program();
        if (Fits(lines))
            return lines;
    }
}

QStringList StoredColours(const QStringList &lines)
{
    QStringList stored;
    for (const QString &text : lines) {
        std::optional<ProgramLine> line = ParseProgramLine(text);
        if (line && line->kind == InstructionKind::FullTime) {
            auto &p = line->params.p;
            const UnpackedColour colour = line->params.variant == 0
                                              ? UnpackColour4(PackColour4(p[0], p[1], p[2], p[3]))
                                              : UnpackColour3(PackColour3(p[0], p[1], p[2], p[3]));
            p = {colour.red, colour.green, colour.blue, colour.time, 0};
            stored << line->ToText();
            continue;
        }
        stored << text;
    }
    return stored;
}

}  // namespace kq::testing
