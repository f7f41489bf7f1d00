#include "cli/command.h"
#include "cli/flowchart_input.h"
#include "cli/icon_input.h"
#include "cli/program_input.h"
#include "cli/text_input.h"
#include "editors/flowchart/flowchart_linear.h"
#include "editors/icon/icon_program.h"
#include "model/program_file.h"
#include "model/program_lines.h"

namespace kq::cli {

namespace {
constexpr const char *kLinesUsage = "usage: kq27-tool lines FILE [--generation 3|4] [--keywords FILE]";
}  // namespace

int RunLines(const QStringList &arguments)
{
    const ProgramArgumentsResult given = ReadProgramArguments(arguments, kLinesUsage);
    if (!given.arguments)
        return given.exitCode;
    const QString &path = given.arguments->path;
    // An icon file's lines depend on it (icons 11 and 12 carry no threshold for
    // older clocks); the other files' lines do not.
    const int generation = given.arguments->generation;

    const InputLines content = ReadInputLines(path, QStringLiteral("not a program file (not CP932 text)"));
    if (!content.lines)
        return content.exitCode;

    const ProgramFileParts parts = SplitProgramFile(*content.lines);
    if (parts.sectionMarker == kIconSectionMarker) {
        const IconInputResult icons = ReadIconInput(path, parts, generation);
        if (!icons.row)
            return icons.exitCode;
        for (const QString &line : IconProgramLines(*icons.row, generation))
            PrintLine(stdout, line);
        return kSuccess;
    }
    // A flowchart file's stored lines are not trusted either: its boxes are linearised.
    if (HasFlowchartSection(parts)) {
        const FlowchartInputResult read = ReadFlowchartInput(parts, generation);
        if (!read.flowchart)
            return read.exitCode;
        const LinearForm form = LinearFormOf(*read.flowchart);
        if (form.lines.isEmpty())
            return Fail(kInvalidProgram, form.message.value_or(kNoTransferDataMessage));
        for (const QString &line : form.lines)
            PrintLine(stdout, line);
        return kSuccess;
    }
    // A text file's stored lines are not trusted: its text is worked out again.
    if (parts.sectionMarker == kTextSectionMarker) {
        const KeywordsResult keywords = LoadKeywords(given.arguments->keywordsPath);
        if (!keywords.keywords)
            return keywords.exitCode;
        const TextLinesResult text = TextProgramLines(parts.section, *keywords.keywords);
        if (!text.lines)
            return text.exitCode;
        for (const QString &line : *text.lines)
            PrintLine(stdout, line);
        return kSuccess;
    }
    if (parts.firstLine == kInvalidProgramMark)
        return Fail(kInvalidProgram, kCannotHandOverMessage);
    if (parts.firstLine != kValidProgramMark)
        return Fail(kInvalidProgram, QStringLiteral("%1: not a program file (its first line is neither OK nor NG)").arg(path));
    if (parts.programLines.isEmpty())
        return Fail(kInvalidProgram, QStringLiteral("%1: no \"START\" line followed by an \"END\" line").arg(path));

    for (const QString &line : parts.programLines)
        PrintLine(stdout, line);
    return kSuccess;
}

}  // namespace kq::cli
