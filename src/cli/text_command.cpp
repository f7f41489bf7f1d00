#include "cli/command.h"
#include "cli/text_input.h"
#include "editors/text/lines_to_text.h"
#include "editors/text/text_program.h"
#include "model/program_file.h"

namespace kq::cli {

namespace {
constexpr const char *kTextUsage = "usage: kq27-tool text IN [--keywords FILE] [--generation 3|4]";
}  // namespace

int RunText(const QStringList &arguments)
{
    QString path;
    QString keywordsPath;
    int generation = kCurrentGeneration;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == QLatin1String("--keywords") && hasValue) {
            keywordsPath = arguments[++i];
        } else if (argument == QLatin1String("--generation") && hasValue) {
            const QString value = arguments[++i];
            if (value != QLatin1String("3") && value != QLatin1String("4"))
                return Fail(kUsageOrUnreadable, QStringLiteral("generation must be 3 or 4"));
            generation = value == QLatin1String("3") ? kOlderGeneration : kCurrentGeneration;
        } else if (path.isEmpty() && !argument.startsWith(QLatin1String("--"))) {
            path = argument;
        } else {
            return Fail(kUsageOrUnreadable, QString::fromUtf8(kTextUsage));
        }
    }
    if (path.isEmpty())
        return Fail(kUsageOrUnreadable, QString::fromUtf8(kTextUsage));

    const InputLines content = ReadInputLines(path);
    if (!content.lines)
        return content.exitCode;

    const ProgramFileParts parts = SplitProgramFile(*content.lines);
    QStringList programLines;
    if (parts.firstLine == kStartLine)
        programLines = *content.lines;
    else if (parts.firstLine == kValidProgramMark)
        programLines = parts.programLines;
    else if (parts.firstLine == kInvalidProgramMark)
        return Fail(kInvalidProgram, kCannotHandOverMessage);
    else
        return Fail(kInvalidProgram, QStringLiteral("%1: neither program lines nor an \"OK\" program file").arg(path));
    const ParsedProgramLines parsed = ParseProgramLines(programLines);
    if (parsed.error)
        return Fail(kInvalidProgram, QStringLiteral("%1: %2").arg(path, parsed.error->reason));

    const KeywordsResult keywords = LoadKeywords(keywordsPath);
    if (!keywords.keywords)
        return keywords.exitCode;
    const std::optional<QString> text = LinesToText(parsed.instructions, *keywords.keywords, generation);
    if (!text)
        return Fail(kInvalidProgram, QStringLiteral("%1: %2").arg(path, kReadFailedMessage));
    for (const QString &line : EditorLines(*text))
        PrintLine(stdout, line.chopped(2));
    return kSuccess;
}

}  // namespace kq::cli
