#include "controls/clickable_picture.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>

namespace kq {

ClickablePicture::ClickablePicture(const QString &name, const QPixmap &picture, const QString &fallbackText,
                                   QWidget *parent)
    : QWidget(parent), m_picture(picture), m_fallbackText(fallbackText)
{
    setObjectName(name);
    setCursor(Qt::PointingHandCursor);
    setToolTip(fallbackText);
    resize(sizeHint());
}

QSize ClickablePicture::sizeHint() const
{
    if (!m_picture.isNull())
        return m_picture.size();
    QStyleOptionButton option;
    option.initFrom(this);
    option.text = m_fallbackText;
    return style()->sizeFromContents(QStyle::CT_PushButton, &option,
                                     fontMetrics().size(Qt::TextShowMnemonic, m_fallbackText), this);
}

void ClickablePicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_picture.isNull()) {
        QStyleOptionButton option;
        option.initFrom(this);
        option.text = m_fallbackText;
        if (m_pressed)
            option.state |= QStyle::State_Sunken;
        else
            option.state |= QStyle::State_Raised;
        style()->drawControl(QStyle::CE_PushButton, &option, &painter, this);
        return;
    }
    painter.drawPixmap(rect(), m_picture);
    if (m_pressed)
        painter.fillRect(rect(), QColor(0, 0, 0, 40));
    else if (m_hovered)
        painter.fillRect(rect(), QColor(255, 255, 255, 48));
}

void ClickablePicture::enterEvent(QEnterEvent *)
{
    m_hovered = true;
    update();
}

void ClickablePicture::leaveEvent(QEvent *)
{
    m_hovered = false;
    update();
}

void ClickablePicture::mousePressEvent(QMouseEvent *event)
{
    // Accepted so that a press on a picture never starts moving a draggable window.
    event->accept();
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        update();
    }
}

void ClickablePicture::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_pressed = false;
    update();
    if (rect().contains(event->position().toPoint()))
        emit Clicked();
}

}  // namespace kq
