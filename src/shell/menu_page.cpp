#include "shell/menu_page.h"

#include <QMouseEvent>
#include <QPainter>

namespace kq {

MenuPage::MenuPage(const QString &name, const QPixmap &background, QWidget *parent)
    : QWidget(parent), m_background(background)
{
    setObjectName(name);
}

void MenuPage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_background.isNull())
        painter.fillRect(rect(), palette().window());
    else
        painter.drawPixmap(0, 0, m_background);
}

void MenuPage::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_grabOffset = window()->pos() - event->globalPosition().toPoint();
    window()->raise();
    window()->activateWindow();
}

void MenuPage::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        window()->move(event->globalPosition().toPoint() + m_grabOffset);
}

}  // namespace kq
