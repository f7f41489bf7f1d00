#pragma once

#include <QString>

namespace kq::panel {

class PanelWindow;
class ProductMenu;

// A panel file given at start (a double-click in the file manager): the
// product menu still asks for the kit model, and the panel window, once
// shown for the first model chosen, loads the file as its open command would.
void OpenOnceModelChosen(ProductMenu &menu, PanelWindow &window, const QString &path);

}  // namespace kq::panel
