#include "base/paths.h"
#include "base/text_file.h"
#include "cli/command.h"
#include "editors/icon/icon_program.h"
#include "editors/icon/icon_section.h"
#include "learning/report_builder.h"
#include "learning/report_save.h"
#include "model/device_generation.h"
#include "model/program_file.h"
#include "tools/melody/melody_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <limits>

namespace kq::cli {

namespace {

constexpr const char *kReportUsage = "usage: kq27-tool report FILE OUT.html [--fields FILE]";

struct ReportSource {
    ReportWork work;
    ReportFields fields;
};

// The kind and the work from the file's own section, valid program or not.
std::optional<ReportSource> SourceOf(const QString &path, const QStringList &lines, int &exitCode)
{
    ReportSource source;
    if (!lines.isEmpty() && lines.first() == kMelodyFileMark) {
        if (ReadMelodyFile(lines).result != MelodyFileRead::Result::Loaded) {
            exitCode = Fail(kInvalidProgram, QStringLiteral("%1: %2").arg(path, kReadFailedMessage));
            return std::nullopt;
        }
        // A melody file carries no report fields.
        source.work.kind = ReportKind::Sound;
        return source;
    }
    const ProgramFileParts parts = SplitProgramFile(lines);
    source.fields = parts.report;
    if (parts.sectionMarker == kIconSectionMarker) {
        IconRow row;
        if (!ReadIconSection(parts.section, kCurrentGeneration, row)) {
            exitCode = Fail(kInvalidProgram, QStringLiteral("%1: %2").arg(path, kReadFailedMessage));
            return std::nullopt;
        }
        source.work.kind = ReportKind::Icons;
        source.work.iconEntries = IconReportEntries(row);
    } else if (parts.sectionMarker == kFlowchartSectionMarker) {
        source.work.kind = ReportKind::Routine;
    } else if (parts.sectionMarker == kTextSectionMarker) {
        source.work.kind = ReportKind::Word;
        source.work.programText = parts.section;
    } else {
        exitCode = Fail(kInvalidProgram, QStringLiteral("%1: %2").arg(path, kReadFailedMessage));
        return std::nullopt;
    }
    return source;
}

// The size of a BMP file from its header: the tool reads no pictures.
std::optional<QSize> BitmapSize(const QString &file)
{
    QFile bitmap(file);
    if (!bitmap.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray header = bitmap.read(26);
    if (header.size() < 26 || !header.startsWith("BM"))
        return std::nullopt;
    const auto field = [&header](int offset) {
        return qint32(quint32(quint8(header[offset])) | quint32(quint8(header[offset + 1])) << 8
                      | quint32(quint8(header[offset + 2])) << 16 | quint32(quint8(header[offset + 3])) << 24);
    };
    const qint32 width = field(18);
    const qint32 height = field(22);
    // A negative height marks a picture stored top row first.
    if (width <= 0 || height == 0 || height == std::numeric_limits<qint32>::min())
        return std::nullopt;
    return QSize(width, height < 0 ? -height : height);
}

// Draws the flowchart's routines or the melody's staff into pictureFolder
// through the drawing program installed beside this tool.
bool DrawPictures(const QString &file, const QString &appData)
{
    QProcess drawing;
    drawing.setProcessChannelMode(QProcess::MergedChannels);
    drawing.start(QCoreApplication::applicationDirPath() + QStringLiteral("/kq27-report-pictures"), {file, appData});
    const bool drawn =
        drawing.waitForFinished(60000) && drawing.exitStatus() == QProcess::NormalExit && drawing.exitCode() == 0;
    // Its display platform's notes are no news for a script; its errors are.
    if (!drawn)
        PrintLine(stderr, QString::fromLocal8Bit(drawing.readAll()).trimmed());
    return drawn;
}

}  // namespace

int RunReport(const QStringList &arguments)
{
    QStringList paths;
    QString fieldsFile;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == QLatin1String("--fields") && i + 1 < arguments.size() && fieldsFile.isEmpty())
            fieldsFile = arguments[++i];
        else if (!argument.startsWith(QLatin1String("--")) && paths.size() < 2)
            paths.append(argument);
        else
            return Fail(kUsageOrUnreadable, QString::fromUtf8(kReportUsage));
    }
    if (paths.size() != 2)
        return Fail(kUsageOrUnreadable, QString::fromUtf8(kReportUsage));

    const InputLines lines = ReadInputLines(paths[0], kReadFailedMessage);
    if (!lines.lines)
        return lines.exitCode;
    int exitCode = kSuccess;
    std::optional<ReportSource> source = SourceOf(paths[0], *lines.lines, exitCode);
    if (!source)
        return exitCode;
    if (!fieldsFile.isEmpty()) {
        const InputLines fieldLines = ReadInputLines(fieldsFile, kReadFailedMessage);
        if (!fieldLines.lines)
            return fieldLines.exitCode;
        source->fields = SplitProgramFile(*fieldLines.lines).report;
    }
    if (!HasReportIdentity(source->fields))
        return Fail(kInvalidProgram, kReportWarningIdentity);

    const Paths installed = Paths::ForInstalledProgram();
    const QString templatePath = installed.ProgramFile(ReportTemplatePath(source->work.kind));
    const std::optional<TextFileContent> templateLines = ReadTextLines(templatePath);
    if (!templateLines)
        return Fail(kUsageOrUnreadable, QStringLiteral("%1: cannot be read").arg(templatePath));

    QTemporaryDir appData;
    if (!appData.isValid())
        return Fail(kUsageOrUnreadable, QStringLiteral("no temporary folder can be made"));
    const Paths work(installed.ProgramFolder(), appData.path());
    const QString pictureFolder = work.TempFolder() + QStringLiteral("Report/Img");
    if (source->work.kind == ReportKind::Routine || source->work.kind == ReportKind::Sound) {
        if (!DrawPictures(paths[0], appData.path()))
            return Fail(kUsageOrUnreadable, QStringLiteral("%1: the report's pictures cannot be drawn").arg(paths[0]));
    }
    source->work.iconFolder = installed.ProgramFile(QStringLiteral("Img/Icon/DD/"));
    for (int n = 0; n < kRoutinePictureCount; ++n)
        source->work.routineSizes[n] = BitmapSize(pictureFolder + QStringLiteral("/Routine%1.bmp").arg(n));
    if (source->work.kind == ReportKind::Sound)
        source->work.soundSize = BitmapSize(pictureFolder + QStringLiteral("/Sound.bmp")).value_or(QSize());

    const QStringList report = BuildReportLines(templateLines->lines, source->fields, source->work);
    const QString file = ReportFileName(paths[1]);
    if (SaveReport(report, source->work.kind, file, pictureFolder) != ReportSaveResult::Saved)
        return Fail(kUsageOrUnreadable, QStringLiteral("%1: %2").arg(file, kSaveFailedMessage));
    return kSuccess;
}

}  // namespace kq::cli
