#pragma once

#include "panel/model/kit_model.h"

#include <QPoint>
#include <QRect>
#include <QSize>

namespace kq::panel {

// Where the parts of the main window lie over its background picture: the
// tall page puts the side panels beside the panel picture area; the wide
// page puts the layer list beside it, the edit preview in a band below it
// and the transparency settings beside the toolbar.
struct WindowLayout {
    QSize size;  // the window background picture
    QPoint toolbar;  // the first toolbar picture
    QPoint tabs;  // the first page button
    QRect page;  // the panel picture area
    QRect editPanel;  // edit preview, sizes and quick buttons
    bool editPanelAcross;  // its parts side by side instead of stacked
    int quickColumns;  // quick buttons in a row
    QRect transparencyPanel;
    QRect layerPanel;
};

const WindowLayout &WindowLayoutFor(LayoutGroup group);

}  // namespace kq::panel
