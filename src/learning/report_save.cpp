#include "learning/report_save.h"

#include "base/text_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kq {

QString ReportFileName(const QString &chosen)
{
    const QString suffix = QFileInfo(chosen).suffix().toLower();
    if (suffix == QStringLiteral("html") || suffix == QStringLiteral("htm"))
        return chosen;
    return chosen + QStringLiteral(".html");
}

QStringList PrefixReportImageSources(const QStringList &lines, const QString &prefix)
{
    QStringList result;
    result.reserve(lines.size());
    for (const QString &line : lines)
        result.append(QString(line).replace(QStringLiteral("src=\"Img/"), QStringLiteral("src=\"") + prefix + QStringLiteral("Img/")));
    return result;
}

QStringList ReportPictureNames(ReportKind kind, const QString &pictureFolder)
{
    QStringList candidates;
    if (kind == ReportKind::Routine) {
        for (int n = 0; n < kRoutinePictureCount; ++n)
            candidates.append(QStringLiteral("Routine%1.bmp").arg(n));
    } else if (kind == ReportKind::Sound) {
        candidates.append(QStringLiteral("Sound.bmp"));
    }
    QStringList existing;
    for (const QString &name : candidates) {
        if (QFileInfo::exists(QDir(pictureFolder).filePath(name)))
            existing.append(name);
    }
    return existing;
}

ReportSaveResult SaveReport(const QStringList &lines, ReportKind kind, const QString &file, const QString &pictureFolder)
{
    QStringList page = lines;
    const QStringList pictures = ReportPictureNames(kind, pictureFolder);
    if (kind == ReportKind::Routine || kind == ReportKind::Sound) {
        const QFileInfo info(file);
        const QString base = info.completeBaseName();
        const QString imageFolder = info.dir().filePath(base + QStringLiteral("Img"));
        if (!QDir().mkpath(imageFolder))
            return ReportSaveResult::PictureFolderFailed;
        for (const QString &name : pictures) {
            const QString target = QDir(imageFolder).filePath(name);
            if (QFileInfo::exists(target))
                continue;
            if (!QFile::copy(QDir(pictureFolder).filePath(name), target))
                return ReportSaveResult::PictureCopyFailed;
        }
        page = PrefixReportImageSources(page, base);
    }
    if (!WriteTextLines(file, page))
        return ReportSaveResult::WriteFailed;
    return ReportSaveResult::Saved;
}

}  // namespace kq
