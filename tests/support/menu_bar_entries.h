#pragma once

#include <QAction>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStringList>

namespace kq::testing {

// The top-level entries of the window's menu bar that do not lie wholly
// inside it once the window is that wide: the ones Qt moves into its
// overflow menu.
inline QStringList EntriesOutsideMenuBarAtWidth(QMainWindow &window, int width)
{
    window.resize(width, window.height());
    QCoreApplication::processEvents();
    const QMenuBar &bar = *window.menuBar();
    QStringList outside;
    if (bar.width() != width)
        outside.append(QStringLiteral("(the bar is %1 wide)").arg(bar.width()));
    for (QAction *action : bar.actions()) {
        const QRect geometry = bar.actionGeometry(action);
        if (action->isVisible() && (geometry.isEmpty() || !bar.rect().contains(geometry)))
            outside.append(action->text());
    }
    return outside;
}

}  // namespace kq::testing
