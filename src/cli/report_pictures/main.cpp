// Draws the pictures of a report for kq27-tool, which itself stays free of
// any display library: the routine pictures of a flowchart file, or the staff
// of a melody file, into APPDATA's temporary report folder, as the editors
// draw them for their report window.
#include "base/paths.h"
#include "base/picture_file.h"
#include "base/text_file.h"
#include "editors/flowchart/flowchart.h"
#include "editors/flowchart/flowchart_painter.h"
#include "model/device_generation.h"
#include "model/program_file.h"
#include "tools/melody/melody_file.h"
#include "tools/melody/melody_window.h"
#include "tools/melody/staff_painter.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

namespace {

// The staff is drawn as wide as the melody window draws it at its smallest.
constexpr int kStaffWidth = 760;

int Fail(int code, const QString &message)
{
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    return code;
}

int DrawStaff(const QStringList &lines, const kq::Paths &paths)
{
    const kq::MelodyFileRead read = kq::ReadMelodyFile(lines);
    if (read.result != kq::MelodyFileRead::Result::Loaded)
        return Fail(1, kq::kReadFailedMessage);
    const QString file = paths.TempFolder() + kq::kStaffReportPicture;
    const QImage clef(paths.ProgramFile(kq::kClefPicture));
    if (!QDir().mkpath(QFileInfo(file).path())
        || !kq::WritePictureFile(file, kq::StaffPicture(read.melody, kStaffWidth, clef), "BMP"))
        return Fail(2, QStringLiteral("%1: cannot be written").arg(file));
    return 0;
}

int DrawRoutines(const QStringList &lines, const kq::Paths &paths)
{
    const kq::ProgramFileParts parts = kq::SplitProgramFile(lines);
    kq::Flowchart flowchart(kq::kCurrentGeneration);
    if (parts.sectionMarker != kq::kFlowchartSectionMarker || !flowchart.LoadSection(parts.section))
        return Fail(1, kq::kReadFailedMessage);
    kq::FlowchartPainter painter(paths);
    if (!kq::WriteRoutinePictures(painter, flowchart, paths))
        return Fail(2, kq::kSaveFailedMessage);
    return 0;
}

}  // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3)
        return Fail(2, QStringLiteral("usage: kq27-report-pictures FILE APPDATA"));
    const std::optional<kq::TextFileContent> content = kq::ReadTextLines(arguments[1]);
    if (!content)
        return Fail(2, QStringLiteral("%1: cannot be read").arg(arguments[1]));
    const kq::Paths paths(kq::Paths::ForInstalledProgram().ProgramFolder(), arguments[2]);
    if (!content->lines.isEmpty() && content->lines.first() == kq::kMelodyFileMark)
        return DrawStaff(content->lines, paths);
    return DrawRoutines(content->lines, paths);
}
