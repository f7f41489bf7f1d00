#include "panel/app/file_at_start.h"

#include "panel/main_window/panel_window.h"
#include "panel/menu/product_menu.h"

namespace kq::panel {

void OpenOnceModelChosen(ProductMenu &menu, PanelWindow &window, const QString &path)
{
    // Connected after the menu's connection that shows the window, so the
    // window is laid out for the model before it loads.
    QObject::connect(
        &menu, &ProductMenu::ModelChosen, &window, [&window, path] { window.OpenPanelFile(path); },
        Qt::SingleShotConnection);
}

}  // namespace kq::panel
