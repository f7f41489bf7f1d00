#include "panel/document/picture_lookup.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace kq::panel {

namespace {

const QString kPictureFolder = QStringLiteral("Img");

// The file folder/names[0]/names[1]/..., each name in the case as written
// where that exists, else the one entry equal to it ignoring case.
std::optional<QString> FileIgnoringCase(const QString &folder, const QStringList &names)
{
    QString path = QDir::cleanPath(folder);
    for (const QString &name : names) {
        // A hand-made line must not climb out of the folder it is looked up in.
        if (name == QLatin1String(".."))
            return std::nullopt;
        const QString exact = path + QLatin1Char('/') + name;
        if (QFileInfo::exists(exact)) {
            path = exact;
            continue;
        }
        const QStringList entries = QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        const auto match = std::find_if(entries.begin(), entries.end(), [&name](const QString &entry) {
            return entry.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (match == entries.end())
            return std::nullopt;
        path += QLatin1Char('/') + *match;
    }
    return QFileInfo(path).isFile() ? std::optional<QString>(path) : std::nullopt;
}

}  // namespace

std::optional<QString> FindRecordPicture(const QString &written, const QString &dataTree, const QString &panelFolder)
{
    if (QFileInfo(written).isFile())
        return written;
    static const QRegularExpression kSeparators(QStringLiteral("[/\\\\]"));
    const QStringList names = written.split(kSeparators, Qt::SkipEmptyParts);
    if (names.isEmpty())
        return std::nullopt;
    // The last "Img" is the data tree's own; one further up belongs to the
    // folders above it.
    for (qsizetype i = names.size() - 2; i >= 0; --i) {
        if (names.at(i).compare(kPictureFolder, Qt::CaseInsensitive) != 0)
            continue;
        if (std::optional<QString> found = FileIgnoringCase(dataTree, names.mid(i)))
            return found;
    }
    // Work never saved has no folder of its own to look in.
    if (panelFolder.isEmpty())
        return std::nullopt;
    return FileIgnoringCase(panelFolder, {names.last()});
}

}  // namespace kq::panel
