#pragma once

class QMenuBar;
class QWidget;

namespace kq {

// Keeps a widget's texts whole in the width it is given: its font gives up
// half a point at a time until its size hint fits (a menu bar's hint holds
// all its entries in one row, a drop-down list's its widest entry), but no
// further than a size still readable on a classroom screen.
void FitFontToWidth(QWidget &widget, int width);

// Every entry of a menu bar in view at the width: the step windows' captions
// carry full-width spaces of their own, so the bar keeps only a narrow margin
// round each entry before its font is fitted.
void FitMenuBarEntries(QMenuBar &bar, int width);

}  // namespace kq
