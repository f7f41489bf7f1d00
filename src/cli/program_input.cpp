#include "cli/program_input.h"

#include "cli/command.h"
#include "cli/flowchart_input.h"
#include "cli/icon_input.h"
#include "editors/flowchart/flowchart_linear.h"
#include "cli/text_input.h"
#include "editors/icon/icon_program.h"
#include "model/program_file.h"

namespace kq::cli {

namespace {

ProgramInputResult Failed(int code, const QString &message)
{
    return {std::nullopt, Fail(code, message)};
}

}  // namespace

ProgramArgumentsResult ReadProgramArguments(const QStringList &arguments, const char *usage)
{
    const auto failed = [](const QString &message) {
        return ProgramArgumentsResult {std::nullopt, Fail(kUsageOrUnreadable, message)};
    };
    ProgramArguments read;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == QLatin1String("--generation")) {
            if (i + 1 >= arguments.size())
                return failed(QString::fromUtf8(usage));
            const QString value = arguments[++i];
            if (value == QLatin1String("3"))
                read.generation = kOlderGeneration;
            else if (value == QLatin1String("4"))
                read.generation = kCurrentGeneration;
            else
                return failed(QStringLiteral("generation must be 3 or 4"));
        } else if (argument == QLatin1String("--keywords")) {
            if (i + 1 >= arguments.size())
                return failed(QString::fromUtf8(usage));
            read.keywordsPath = arguments[++i];
        } else if (read.path.isEmpty() && !argument.startsWith(QLatin1String("--"))) {
            read.path = argument;
        } else {
            return failed(QString::fromUtf8(usage));
        }
    }
    if (read.path.isEmpty())
        return failed(QString::fromUtf8(usage));
    return {read, kSuccess};
}

ProgramInputResult ReadProgramInput(const QStringList &arguments, const char *usage)
{
    const ProgramArgumentsResult given = ReadProgramArguments(arguments, usage);
    if (!given.arguments)
        return {std::nullopt, given.exitCode};
    const QString &path = given.arguments->path;
    const QString &keywordsPath = given.arguments->keywordsPath;
    const int generation = given.arguments->generation;

    const InputLines content = ReadInputLines(path);
    if (!content.lines)
        return {std::nullopt, content.exitCode};

    const QStringList &lines = *content.lines;
    if (const ProgramFileParts parts = SplitProgramFile(lines); parts.sectionMarker == kIconSectionMarker) {
        const IconInputResult icons = ReadIconInput(path, parts, generation);
        if (!icons.row)
            return {std::nullopt, icons.exitCode};
        const ParsedProgramLines parsed = ParseProgramLines(IconProgramLines(*icons.row, generation));
        return {ProgramInput{parsed.instructions, generation, icons.row, std::nullopt}, kSuccess};
    }
    if (const ProgramFileParts parts = SplitProgramFile(lines); HasFlowchartSection(parts)) {
        FlowchartInputResult read = ReadFlowchartInput(parts, generation);
        if (!read.flowchart)
            return {std::nullopt, read.exitCode};
        // The program lines, where the flowchart has them, serve the commands that read lines.
        const ParsedProgramLines parsed = ParseProgramLines(LinearFormOf(*read.flowchart).lines);
        return {ProgramInput{parsed.instructions, generation, std::nullopt, std::move(read.flowchart)}, kSuccess};
    }
    // A text file: its first lines are not trusted, the text is worked out again.
    if (const ProgramFileParts parts = SplitProgramFile(lines); parts.sectionMarker == kTextSectionMarker) {
        const KeywordsResult keywords = LoadKeywords(keywordsPath);
        if (!keywords.keywords)
            return {std::nullopt, keywords.exitCode};
        const TextLinesResult text = TextProgramLines(parts.section, *keywords.keywords);
        if (!text.lines)
            return {std::nullopt, text.exitCode};
        const ParsedProgramLines parsed = ParseProgramLines(*text.lines);
        if (parsed.error)
            return Failed(kInvalidProgram, QStringLiteral("%1: %2").arg(path, parsed.error->reason));
        return {ProgramInput{parsed.instructions, generation, std::nullopt, std::nullopt}, kSuccess};
    }
    // A program file of a step that could not produce its program lines.
    if (!lines.isEmpty() && lines.first() == QLatin1String("NG"))
        return Failed(kInvalidProgram, kCannotHandOverMessage);

    const ParsedProgramLines parsed = ParseProgramLines(lines);
    if (parsed.error) {
        const ProgramLinesError &error = *parsed.error;
        if (error.lineNumber == 0)
            return Failed(kInvalidProgram, QStringLiteral("%1: %2").arg(path, error.reason));
        return Failed(kInvalidProgram,
                      QStringLiteral("%1:%2: \"%3\": %4").arg(path).arg(error.lineNumber).arg(error.line, error.reason));
    }
    return {ProgramInput{parsed.instructions, generation, std::nullopt, std::nullopt}, kSuccess};
}

}  // namespace kq::cli
