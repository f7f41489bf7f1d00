#include "panel/menu/panel_export.h"

#include "panel/document/panel_messages.h"
#include "panel/menu/bitmap_file.h"
#include "panel/progress/progress_window.h"
#include "services/dialog_folder.h"
#include "services/dialogs.h"

#include <QFileInfo>

namespace kq::panel {

bool ExportPanel(QWidget *parent, kq::Dialogs &dialogs, kq::DialogFolder &folder, ProgressWindow &progress,
                 const QImage &flattened)
{
    QString path = dialogs.SaveFileName(parent, folder.Start(), kBitmapFilter);
    if (path.isEmpty())
        return false;
    if (!HasBitmapExtension(path))
        path += QStringLiteral(".bmp");
    if (QFileInfo::exists(path) && !dialogs.AskYesNo(parent, kPanelOverwriteQuestion))
        return false;

    BitmapWrite result = BitmapWrite::Stopped;
    const bool written = progress.Run(parent, [&](EffectControl &control) {
        result = WriteBitmapFile(path, flattened, control);
        return result == BitmapWrite::Written;
    });
    if (result == BitmapWrite::Failed)
        dialogs.Warning(parent, kPanelSaveFailedMessage);
    if (!written || result != BitmapWrite::Written)
        return false;
    folder.Remember(path);
    return true;
}

}  // namespace kq::panel
