#include "panel/text_window/colour_panel.h"

#include <QPainter>

namespace kq::panel {

ColourPanel::ColourPanel(QWidget *parent) : QAbstractButton(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void ColourPanel::SetColour(const QColor &colour)
{
    m_colour = colour;
    update();
}

QSize ColourPanel::sizeHint() const
{
    return {56, 28};
}

void ColourPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect outer = rect().adjusted(0, 0, -1, -1);
    painter.setPen(palette().color(QPalette::Mid));
    painter.setBrush(palette().color(QPalette::Base));
    painter.drawRoundedRect(outer, 4, 4);
    painter.setPen(hasFocus() || underMouse() ? palette().color(QPalette::Highlight)
                                              : palette().color(QPalette::Dark));
    painter.setBrush(m_colour);
    painter.drawRoundedRect(outer.adjusted(3, 3, -3, -3), 2, 2);
}

}  // namespace kq::panel
