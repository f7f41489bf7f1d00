#include "controls/dropped_files.h"

#include <QMimeData>
#include <QUrl>

namespace kq {

QStringList DroppedFilePaths(const QMimeData &data)
{
    QStringList paths;
    for (const QUrl &url : data.urls())
        paths.append(url.toLocalFile());
    return paths;
}

}  // namespace kq
