#include "cli/command.h"
#include "cli/text_input.h"
#include "editors/text/text_program.h"
#include "model/program_file.h"

namespace kq::cli {

namespace {
constexpr const char *kCheckUsage = "usage: kq27-tool check FILE [--keywords FILE]";
}  // namespace

// FILE is a text file ("WORDDATA" section) or plain program text; a failing
// check's line counts the lines of that text.
int RunCheck(const QStringList &arguments)
{
    QString path;
    QString keywordsPath;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--keywords") && i + 1 < arguments.size())
            keywordsPath = arguments[++i];
        else if (path.isEmpty() && !arguments[i].startsWith(QLatin1String("--")))
            path = arguments[i];
        else
            return Fail(kUsageOrUnreadable, QString::fromUtf8(kCheckUsage));
    }
    if (path.isEmpty())
        return Fail(kUsageOrUnreadable, QString::fromUtf8(kCheckUsage));

    const InputLines content = ReadInputLines(path);
    if (!content.lines)
        return content.exitCode;
    const ProgramFileParts parts = SplitProgramFile(*content.lines);
    if (!parts.sectionMarker.isEmpty() && parts.sectionMarker != kTextSectionMarker)
        return Fail(kInvalidProgram, QStringLiteral("%1: not a text program (its section is %2)").arg(path, parts.sectionMarker));
    const QStringList &text = parts.sectionMarker.isEmpty() ? *content.lines : parts.section;

    const KeywordsResult keywords = LoadKeywords(keywordsPath);
    if (!keywords.keywords)
        return keywords.exitCode;
    const std::optional<TextCheckFailure> failure = FirstFailingCheck(EditorLinesOfSection(text), *keywords.keywords);
    if (failure) {
        // The message as STEP3 shows it, so scripts that read it keep working.
        PrintLine(stdout, failure->message);
        PrintLine(stdout, QStringLiteral("line %1").arg(failure->line));
        return kInvalidProgram;
    }
    PrintLine(stdout, QStringLiteral("OK"));
    return kSuccess;
}

}  // namespace kq::cli
