#include "editors/flowchart/flowchart_code.h"
#include "editors/flowchart/flowchart_import.h"
#include "editors/flowchart/flowchart_linear.h"
#include "editors/flowchart/flowchart_readback.h"
#include "editors/text/keyword_file.h"
#include "editors/text/lines_to_text.h"
#include "editors/text/text_program.h"
#include "model/instruction_table.h"
#include "support/program_generator.h"

#include <gtest/gtest.h>

#include <functional>

namespace kq::testing {
namespace {

constexpr int kProgramsPerShape = 200;

QStringList ClockDumpOf(const ByteList &bytes)
{
    QStringList dump {QStringLiteral("00")};  // a byte before the program, as the clock sends
    for (int b : bytes)
        dump << QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
    dump << QStringLiteral("FA");
    return dump;
}

std::optional<Flowchart> LoadedChart(const std::optional<QStringList> &section)
{
    Flowchart chart;
    if (!section || !chart.LoadSection(*section))
        return std::nullopt;
    return chart;
}

// What went wrong with a flowchart that should show the program; empty
// when nothing did.
QString FlowchartFault(const std::optional<Flowchart> &chart, const QStringList &expected)
{
    if (!chart)
        return QStringLiteral("no flowchart");
    const CheckResult check = CheckProgram(*chart).result;
    if (check != CheckResult::Correct)
        return QStringLiteral("check ") + CheckResultText(check);
    const LinearForm form = LinearFormOf(*chart);
    if (form.backEdge)
        return QStringLiteral("back edge");
    if (form.lines != expected)
        return QStringLiteral("linear form ") + form.lines.join(QLatin1Char(' '));
    return {};
}

// Every arrow leads down the sheet, and no box hides another.
QString LayoutFault(const std::optional<Flowchart> &chart)
{
    if (!chart)
        return QStringLiteral("no flowchart");
    for (int routine = 0; routine < kRoutineCount; ++routine) {
        QList<QPoint> places;
        for (int slot = 0; slot < kRoutineSlots; ++slot) {
            const FlowNode &node = chart->Node(routine, slot);
            if (!node.IsUsed())
                continue;
            if (places.contains(QPoint(node.x, node.y)))
                return QStringLiteral("two boxes at %1,%2").arg(node.x).arg(node.y);
            places << QPoint(node.x, node.y);
            for (int target : {node.next, node.branch})
                if (target != kNoSlot && chart->Node(routine, target).y <= node.y)
                    return QStringLiteral("arrow up from slot %1 to %2").arg(slot).arg(target);
        }
    }
    return {};
}

// A property over every generated program, with the count of failures and
// the shortest failing program.
struct PropertyRun {
    explicit PropertyRun(const char *name) : what(name) {}

    const char *what;
    int failures = 0;
    QStringList shortest;
    QString fault;

    void Record(const QStringList &program, const QString &found)
    {
        if (found.isEmpty())
            return;
        ++failures;
        if (shortest.isEmpty() || program.size() < shortest.size()) {
            shortest = program;
            fault = found;
        }
    }
    void Expect(int total) const
    {
        EXPECT_EQ(failures, 0) << what << ": " << failures << " of " << total << " fail; shortest: "
                               << shortest.join(QLatin1Char(' ')).toStdString() << " (" << fault.toStdString()
                               << ")";
    }
};

class GeneratedPrograms : public ::testing::TestWithParam<ProgramShape> {};

TEST_P(GeneratedPrograms, ImportAndReadBackGiveTheProgramBack)
{
    const std::optional<KeywordFile> keywords = ReadKeywordFile(QStringLiteral(KQ_DATA_DIR "/Data/KQ27.dat"));
    ASSERT_TRUE(keywords);
    std::mt19937 random(20261210);
    PropertyRun valid {"text step accepts"};
    PropertyRun imported {"lines -> flowchart -> lines"};
    PropertyRun sameBytes {"flowchart bytes = text bytes"};
    PropertyRun readBack {"bytes -> read-back -> lines"};
    PropertyRun importLayout {"imported flowchart's layout"};
    PropertyRun readBackLayout {"read-back flowchart's layout"};
    for (int n = 0; n < kProgramsPerShape; ++n) {
        const QStringList program = RandomProgram(GetParam(), random);
        const ParsedProgramLines parsed = ParseProgramLines(program);
        ASSERT_FALSE(parsed.error) << program.join(' ').toStdString();

        // The generator makes programs the text step takes as they are.
        const QStringList text = EditorLines(LinesToText(parsed.instructions, *keywords, kCurrentGeneration).value());
        const std::optional<QString> refusal = CheckTextProgram(text, *keywords);
        valid.Record(program, refusal ? *refusal : TranslateText(text, *keywords) == program ? QString() : "translation");

        const std::optional<Flowchart> chart = LoadedChart(ImportProgramLines(program, kCurrentGeneration).section);
        imported.Record(program, FlowchartFault(chart, program));
        importLayout.Record(program, LayoutFault(chart));

        // What the text step sends the clock for the same lines.
        const std::optional<InstructionTable> table = BuildInstructionTable(parsed.instructions);
        ASSERT_TRUE(table);
        const ByteList bytes = EncodeProgram(RoutinesOf(*table), kCurrentGeneration);
        sameBytes.Record(program, chart && GenerateProgram(*chart).bytes == bytes ? QString() : "bytes differ");

        const std::optional<Flowchart> read = LoadedChart(ReadBackSection(ClockDumpOf(bytes)));
        readBack.Record(program, FlowchartFault(read, StoredColours(program)));
        readBackLayout.Record(program, LayoutFault(read));
    }
    for (const PropertyRun *run : {&valid, &imported, &importLayout, &sameBytes, &readBack, &readBackLayout})
        run->Expect(kProgramsPerShape);
}

INSTANTIATE_TEST_SUITE_P(Shapes, GeneratedPrograms, ::testing::ValuesIn(ProgramShapes()),
    [](const ::testing::TestParamInfo<ProgramShape> &info) {
        std::string name;
        for (const char *c = info.param.name; *c; ++c)
            if (std::isalnum(static_cast<unsigned char>(*c)))
                name += *c;
        return name;
    });

}  // namespace
}  // namespace kq::testing
