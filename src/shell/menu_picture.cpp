#include "shell/menu_picture.h"

#include <QMouseEvent>
#include <QPainter>

namespace kq {

MenuPicture::MenuPicture(const QString &name, const QPixmap &picture, const QRect &area, QWidget *parent)
    : QWidget(parent), m_picture(picture)
{
    setObjectName(name);
    setGeometry(area);
    setCursor(Qt::PointingHandCursor);
}

void MenuPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
    if (m_hovered)
        painter.fillRect(rect(), QColor(255, 255, 255, 48));
}

void MenuPicture::enterEvent(QEnterEvent *)
{
    m_hovered = true;
    update();
}

void MenuPicture::leaveEvent(QEvent *)
{
    m_hovered = false;
    update();
}

void MenuPicture::mousePressEvent(QMouseEvent *event)
{
    // Accepted so that a press on a picture never starts moving the window.
    event->accept();
}

void MenuPicture::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Clicked();
}

}  // namespace kq
