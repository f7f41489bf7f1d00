#include "model/program_file.h"

#include "model/program_lines.h"
#include "model/report_lines.h"
#include "base/text_file.h"

#include <QFile>
#include <QFileInfo>

namespace kq {

QStringList ProgramFileLines(const std::optional<QStringList> &programLines, const ReportFields &report,
                             const QString &sectionMarker, const QStringList &section)
{
    QStringList lines;
    if (programLines) {
        lines.append(kValidProgramMark);
        lines.append(*programLines);
    } else {
        lines.append(kInvalidProgramMark);
    }
    lines.append(ReportLines(report));
    lines.append(sectionMarker);
    lines.append(section);
    return lines;
}

ProgramFileParts SplitProgramFile(const QStringList &lines)
{
    ProgramFileParts parts;
    if (!lines.isEmpty())
        parts.firstLine = lines.constFirst();
    qsizetype marker = 0;
    while (marker < lines.size() && lines[marker] != kIconSectionMarker && lines[marker] != kFlowchartSectionMarker
           && lines[marker] != kTextSectionMarker)
        ++marker;
    const QStringList head = lines.first(marker);
    parts.programLines = ProgramLinesRange(head);
    parts.report = ReadReportLines(head);
    if (marker < lines.size()) {
        parts.sectionMarker = lines[marker];
        parts.section = lines.mid(marker + 1);
    }
    return parts;
}

bool HasProgramFileExtension(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot >= 0 && name.mid(dot).compare(kProgramFileExtension, Qt::CaseInsensitive) == 0;
}

QString ProgramFileSaveName(const QString &chosen, const QString &defaultEnding)
{
    return HasProgramFileExtension(chosen) ? chosen : chosen + defaultEnding;
}

bool IsSaved(const Paths &paths, const QStringList &lines)
{
    const std::optional<QByteArray> expected = EncodeTextLines(lines);
    if (!expected)
        return false;
    QFile file(paths.TempFolder() + kSaveFileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // Compare bytes so that no reading of the file can blur a difference.
    return file.size() == expected->size() && file.readAll() == *expected;
}

}  // namespace kq
