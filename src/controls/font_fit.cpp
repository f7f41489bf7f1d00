#include "controls/font_fit.h"

#include <QMenuBar>
#include <QWidget>

namespace kq {

namespace {
constexpr qreal kSmallestPointSize = 6.0;
constexpr qreal kPointStep = 0.5;
}  // namespace

void FitFontToWidth(QWidget &widget, int width)
{
    QFont font = widget.font();
    while (widget.sizeHint().width() > width && font.pointSizeF() - kPointStep >= kSmallestPointSize) {
        font.setPointSizeF(font.pointSizeF() - kPointStep);
        widget.setFont(font);
    }
}

void FitMenuBarEntries(QMenuBar &bar, int width)
{
    bar.setStyleSheet(QStringLiteral("QMenuBar { spacing: 0px; }"
                                     "QMenuBar::item { padding: 3px 4px; background: transparent; }"
                                     "QMenuBar::item:selected { background: palette(highlight);"
                                     " color: palette(highlighted-text); }"));
    FitFontToWidth(bar, width);
}

}  // namespace kq
