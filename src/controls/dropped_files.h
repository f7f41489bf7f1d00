#pragma once

#include <QStringList>

class QMimeData;

namespace kq {

// The local paths of the files dropped on a window, in the order given.
QStringList DroppedFilePaths(const QMimeData &data);

}  // namespace kq
