#include "services/help.h"

#include "base/paths.h"
#include "services/launcher.h"

#include <QFileInfo>

namespace kq {

void OpenHelp(const Paths &paths, Launcher &launcher, const QString &page)
{
    const QString file = paths.ProgramFile(page);
    // The desktop would report a missing file in a window of its own.
    if (!QFileInfo(file).isFile())
        return;
    launcher.OpenDocument(file);
}

}  // namespace kq
