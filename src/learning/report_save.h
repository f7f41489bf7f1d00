#pragma once

#include "learning/report_builder.h"

#include <QString>
#include <QStringList>

// Saving a built report as a page a browser opens on its own: the HTML file
// and, for the kinds with pictures, a picture folder beside it.
namespace kq {

// The chosen file name, ".html" appended unless it already ends in ".html"
// or ".htm" (in any case).
QString ReportFileName(const QString &chosen);

// The lines with every picture source that starts with "Img/" given the
// prefix in front of it.
QStringList PrefixReportImageSources(const QStringList &lines, const QString &prefix);

// The picture names the kind's report shows, those that exist in
// pictureFolder.
QStringList ReportPictureNames(ReportKind kind, const QString &pictureFolder);

enum class ReportSaveResult { Saved, PictureFolderFailed, PictureCopyFailed, WriteFailed };

// Writes the report as file (a name ReportFileName made). For the kinds with
// pictures, the pictures of pictureFolder are copied into the folder S + "Img"
// beside the file, where S is its base name, and the page refers to them
// there; a picture already in that folder is kept as it is.
[[nodiscard]] ReportSaveResult SaveReport(const QStringList &lines, ReportKind kind, const QString &file,
                                          const QString &pictureFolder);

}  // namespace kq
