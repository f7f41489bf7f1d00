#pragma once

#include "model/report_fields.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// Fills a report template with the pupil's fields and work. Plain text work,
// shared by the report window and the command-line tool.
namespace kq {

enum class ReportKind { Routine = 1, Word = 2, Icons = 3, Sound = 4 };

inline constexpr int kRoutinePictureCount = 5;

struct ReportWork {
    ReportKind kind = ReportKind::Word;
    QStringList programText;              // Word: the program's lines
    QStringList iconEntries;              // Icons: "picture,description" per icon
    QString iconFolder;                   // Icons: the folder of the icon pictures, ends with '/'
    // Routine: the size of each existing routine picture (0 main, 1..4 subroutines).
    std::array<std::optional<QSize>, kRoutinePictureCount> routineSizes;
    QSize soundSize;                      // Sound: the staff picture's size
};

// The template of a kind, relative to the program folder.
QString ReportTemplatePath(ReportKind kind);

// The year, class, number and name are all filled in.
[[nodiscard]] bool HasReportIdentity(const ReportFields &fields);

// The report page: one output line per template line, the kind's rules
// applied. Every text the pupil typed goes in as HTML text.
QStringList BuildReportLines(const QStringList &templateLines, const ReportFields &fields, const ReportWork &work);

// An img element with exactly src, width and height, in that order.
QString ReportImageElement(const QString &source, QSize size);

inline const QString kReportWarningIdentity = QStringLiteral("学年、組、名前を正しく入力して下さい。");

}  // namespace kq
