#include "editors/text/text_section.h"

#include "editors/text/text_program.h"
#include "model/program_file.h"

namespace kq {

TextFileImage TextProgramFileLines(const QString &editorText, const ReportFields &report, const KeywordFile &keywords)
{
    const QStringList editorLines = EditorLines(editorText);
    TextFileImage image;
    image.checkMessage = CheckTextProgram(editorLines, keywords);
    std::optional<QStringList> programLines;
    if (!image.checkMessage)
        programLines = TranslateText(editorLines, keywords);
    QStringList section;
    for (const QString &line : editorLines)
        section.append(line.chopped(2));
    image.lines = ProgramFileLines(programLines, report, kTextSectionMarker, section);
    return image;
}

QString TextOfSection(const QStringList &section)
{
    QString text;
    for (const QString &line : section)
        text += line + QStringLiteral("\r\n");
    return text;
}

}  // namespace kq
