#pragma once

#include <QImage>

class QWidget;

namespace kq {
class DialogFolder;
class Dialogs;
}  // namespace kq

namespace kq::panel {

class ProgressWindow;

// Saves the flattened panel (with its frame overlay) as a BMP file of the
// panel's size: the save dialog, the overwrite question, then the write
// under the progress window, whose "中止" leaves no file. True when the file
// was written. The dialog starts in folder, which remembers the written
// file's. The caller refuses first when there is no background.
[[nodiscard]] bool ExportPanel(QWidget *parent, kq::Dialogs &dialogs, kq::DialogFolder &folder,
                               ProgressWindow &progress, const QImage &flattened);

}  // namespace kq::panel
