#include "base/text_file.h"
#include "cli/command.h"
#include "editors/flowchart/flowchart_import.h"
#include "editors/flowchart/flowchart_linear.h"
#include "model/program_file.h"
#include "model/report_fields.h"

namespace kq::cli {

namespace {
constexpr const char *kFlowchartUsage = "usage: kq27-tool flowchart IN OUT [--generation 3|4]";
}  // namespace

int RunFlowchart(const QStringList &arguments)
{
    QStringList paths;
    int generation = kCurrentGeneration;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--generation") && i + 1 < arguments.size()) {
            const QString value = arguments[++i];
            if (value != QLatin1String("3") && value != QLatin1String("4"))
                return Fail(kUsageOrUnreadable, QStringLiteral("generation must be 3 or 4"));
            generation = value == QLatin1String("3") ? kOlderGeneration : kCurrentGeneration;
        } else if (!arguments[i].startsWith(QLatin1String("--"))) {
            paths << arguments[i];
        } else {
            return Fail(kUsageOrUnreadable, QString::fromUtf8(kFlowchartUsage));
        }
    }
    if (paths.size() != 2)
        return Fail(kUsageOrUnreadable, QString::fromUtf8(kFlowchartUsage));

    const InputLines content = ReadInputLines(paths[0]);
    if (!content.lines)
        return content.exitCode;
    const ProgramFileParts parts = SplitProgramFile(*content.lines);
    if (!parts.sectionMarker.isEmpty() || parts.firstLine == kInvalidProgramMark)
        return Fail(kInvalidProgram, QStringLiteral("%1: not program lines nor an \"OK\" program file").arg(paths[0]));

    const ImportResult imported =
        ImportProgramLines(parts.firstLine == kValidProgramMark ? parts.programLines : *content.lines, generation);
    if (!imported.section)
        return Fail(kInvalidProgram, imported.message);
    Flowchart flowchart(generation);
    if (!flowchart.LoadSection(*imported.section))
        return Fail(kInvalidProgram, kReadFailedMessage);
    const LinearForm form = LinearFormOf(flowchart);
    const std::optional<QStringList> lines = form.lines.isEmpty() ? std::nullopt : std::optional(form.lines);
    if (!WriteTextLines(paths[1], ProgramFileLines(lines, ReportFields {}, kFlowchartSectionMarker,
                                                   flowchart.SectionLines())))
        return Fail(kUsageOrUnreadable, QStringLiteral("%1: cannot be written").arg(paths[1]));
    return kSuccess;
}

}  // namespace kq::cli
