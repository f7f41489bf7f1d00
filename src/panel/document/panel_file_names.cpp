#include "panel/document/panel_file_names.h"

#include <QFileInfo>

namespace kq::panel {

bool HasPanelFileExtension(const QString &path)
{
    return path.toLower().endsWith(kPanelFileExtension);
}

QString PanelFileSaveName(const QString &chosen)
{
    return HasPanelFileExtension(chosen) ? chosen : chosen + kPanelFileExtension;
}

bool NeedsOverwriteQuestion(const QString &saveName)
{
    return QFileInfo::exists(saveName);
}

}  // namespace kq::panel
