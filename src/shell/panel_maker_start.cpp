#include "shell/panel_maker_start.h"

#include "base/paths.h"
#include "base/text_file.h"
#include "base/waiter.h"
#include "services/launcher.h"

namespace kq {

void StartPanelMaker(const Paths &paths, Waiter &waiter, Launcher &launcher, const QString &program)
{
    // Without the file the panel maker simply starts on its own product
    // choice, so a failed write is no reason to keep the pupil waiting.
    (void)WriteTextLines(paths.PanelHandOverFolder() + QStringLiteral("Product.txt"),
                   {QString::number(kPanelMakerModelNumber)});
    waiter.WaitProcessing(500);
    launcher.StartProgram(program);
}

}  // namespace kq
