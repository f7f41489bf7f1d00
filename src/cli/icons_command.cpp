#include "base/text_file.h"
#include "cli/command.h"
#include "editors/icon/icon_program.h"
#include "editors/icon/icon_section.h"
#include "model/program_file.h"

namespace kq::cli {

namespace {

constexpr const char *kIconsUsage = "usage: kq27-tool icons IN OUT [--generation 3|4]";

struct IconsArguments {
    QString in;
    QString out;
    int generation = kCurrentGeneration;
};

std::optional<IconsArguments> ParseArguments(const QStringList &arguments)
{
    IconsArguments parsed;
    QStringList files;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--generation")) {
            if (i + 1 >= arguments.size())
                return std::nullopt;
            const QString value = arguments[++i];
            if (value != QLatin1String("3") && value != QLatin1String("4"))
                return std::nullopt;
            parsed.generation = value == QLatin1String("3") ? kOlderGeneration : kCurrentGeneration;
        } else if (arguments[i].startsWith(QLatin1String("--"))) {
            return std::nullopt;
        } else {
            files.append(arguments[i]);
        }
    }
    if (files.size() != 2)
        return std::nullopt;
    parsed.in = files[0];
    parsed.out = files[1];
    return parsed;
}

}  // namespace

int RunIcons(const QStringList &arguments)
{
    const std::optional<IconsArguments> args = ParseArguments(arguments);
    if (!args)
        return Fail(kUsageOrUnreadable, QString::fromUtf8(kIconsUsage));

    const InputLines content = ReadInputLines(args->in);
    if (!content.lines)
        return content.exitCode;

    const ProgramFileParts parts = SplitProgramFile(*content.lines);
    IconRow row;
    if (parts.sectionMarker == kIconSectionMarker) {
        if (!ReadIconSection(parts.section, args->generation, row))
            return Fail(kInvalidProgram, QStringLiteral("%1: %2").arg(args->in, kReadFailedMessage));
    } else {
        QStringList programLines;
        if (parts.firstLine == kStartLine)
            programLines = ProgramLinesRange(*content.lines);
        else if (parts.firstLine == kValidProgramMark)
            programLines = parts.programLines;
        else
            return Fail(kInvalidProgram, kIconForeignFileMessage);
        if (programLines.isEmpty())
            return Fail(kInvalidProgram, QStringLiteral("%1: %2").arg(args->in, kReadFailedMessage));
        IconLinesResult converted = LinesToIcons(programLines, args->generation);
        if (!converted.row)
            return Fail(kInvalidProgram, converted.refusal);
        row = *converted.row;
    }
    if (!CheckIconLoops(row))
        return Fail(kInvalidProgram, kIconLoopMessage);

    // Report fields are not taken over from another step's file.
    const QStringList lines = ProgramFileLines(IconProgramLines(row, args->generation), ReportFields(),
                                               kIconSectionMarker, IconSectionLines(row, args->generation));
    if (const TextWriteResult written = WriteTextLines(args->out, lines); !written)
        return Fail(kUsageOrUnreadable, QStringLiteral("%1: cannot be written").arg(args->out));
    return kSuccess;
}

}  // namespace kq::cli
