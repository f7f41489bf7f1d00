#pragma once

#include "base/paths.h"
#include "model/report_fields.h"

#include <QString>
#include <QStringList>

#include <optional>

// The program file of the three programming steps: "OK" and the program lines
// (or "NG" alone when the program is not valid), the nine report lines, the
// step's section marker and the step's own section.
namespace kq {

inline const QString kValidProgramMark = QStringLiteral("OK");
inline const QString kInvalidProgramMark = QStringLiteral("NG");

// The section markers of the icon, flowchart and text steps.
inline const QString kIconSectionMarker = QStringLiteral("DDDATA");
inline const QString kFlowchartSectionMarker = QStringLiteral("ROUTINE");
inline const QString kTextSectionMarker = QStringLiteral("WORDDATA");

inline const QString kProgramFileExtension = QStringLiteral(".kq27");
inline const QString kProgramFileFilter = QStringLiteral("KQ-27ファイル(*.kq27)");

// In the studio's temporary folder.
inline const QString kSaveFileName = QStringLiteral("savefile.kq27");  // copy of the last saved file
inline const QString kHandOverFileName = QStringLiteral("cache.kq27");  // a step switch in progress
inline const QString kRedrawFileName = QStringLiteral("cache1.kq27");  // the flowchart redrawn

inline const QString kReadFailedMessage = QStringLiteral("ファイルの読み込みに失敗しました。");
inline const QString kSaveFailedMessage = QStringLiteral("ファイルの保存に失敗しました。");
inline const QString kOverwriteQuestion = QStringLiteral("同じ名前のファイルが既にあります。上書きしますか？");
inline const QString kWrongExtensionMessage =
    QStringLiteral("指定したファイルを開くことが出来ません\r\nファイル名を確認して下さい。");
inline const QString kSeveralFilesMessage =
    QStringLiteral("複数のファイルは開けません。ドロップするファイルは１つにして下さい。");

// The file's lines. programLines ("START" .. "END") is nullopt for a program
// that is not valid, which writes "NG" in their place.
QStringList ProgramFileLines(const std::optional<QStringList> &programLines, const ReportFields &report,
                             const QString &sectionMarker, const QStringList &section);

struct ProgramFileParts {
    QString firstLine;
    // From the first "START" to the first "END" after it, before the section;
    // empty when missing.
    QStringList programLines;
    // Read from the lines before the section.
    ReportFields report;
    // The first line that is one of the three markers, and the lines after it.
    // The marker tells which step made the file: a line further down that
    // happens to equal another step's marker is content of the section. Empty
    // when the file has no marker.
    QString sectionMarker;
    QStringList section;
};

ProgramFileParts SplitProgramFile(const QStringList &lines);

// The extension ".kq27" in any case.
bool HasProgramFileExtension(const QString &path);

// The name a save writes: the chosen one, with the step's ending (such as
// "(フロー).kq27") appended to the whole name when it lacks the extension.
QString ProgramFileSaveName(const QString &chosen, const QString &defaultEnding);

// Whether "savefile.kq27" holds exactly these lines, as they would be written.
bool IsSaved(const Paths &paths, const QStringList &lines);

}  // namespace kq
