#include "panel/main_window/edit_preview.h"

#include "panel/main_window/keyed_image.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kq::panel {

namespace {

constexpr int kMargin = 4;

// A light checkerboard shows where a transparent layer lets the panel through.
void PaintChecker(QPainter &painter, const QRect &area)
{
    constexpr int cell = 8;
    painter.fillRect(area, QColor(0xff, 0xff, 0xff));
    for (int y = area.top(); y <= area.bottom(); y += cell) {
        for (int x = area.left() + (((y - area.top()) / cell) % 2) * cell; x <= area.right(); x += 2 * cell)
            painter.fillRect(QRect(x, y, cell, cell).intersected(area), QColor(0xe6, 0xe6, 0xe6));
    }
}

}  // namespace

EditPreview::EditPreview(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("EditImage"));
    setCursor(Qt::CrossCursor);
}

void EditPreview::ShowImage(const QImage &image, bool transparent, const QColor &transparentColour)
{
    m_image = image;
    m_transparent = transparent;
    m_transparentColour = transparentColour;
    m_selection = {};
    m_dragging = false;
    UpdateShown();
}

void EditPreview::Clear()
{
    ShowImage({}, false, {});
}

QRectF EditPreview::ImageArea() const
{
    if (m_image.isNull())
        return {};
    const QSizeF room(width() - 2 * kMargin, height() - 2 * kMargin);
    // Small images are not blown up: their pixels would look like a mosaic.
    const double scale = std::min({1.0, room.width() / m_image.width(), room.height() / m_image.height()});
    const QSizeF size(m_image.width() * scale, m_image.height() * scale);
    return {QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), size};
}

QPoint EditPreview::ImagePixelAt(const QPointF &viewPoint) const
{
    const QRectF area = ImageArea();
    const double x = (viewPoint.x() - area.left()) * m_image.width() / area.width();
    const double y = (viewPoint.y() - area.top()) * m_image.height() / area.height();
    return {std::clamp(int(std::lround(x)), 0, m_image.width()), std::clamp(int(std::lround(y)), 0, m_image.height())};
}

void EditPreview::UpdateShown()
{
    const QRectF area = ImageArea();
    m_shown = KeyedImage(m_image, m_transparent, m_transparentColour, area.size().toSize());
    update();
}

void EditPreview::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    UpdateShown();
}

void EditPreview::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0xf4, 0xf7, 0xfb));
    painter.setPen(QColor(0xa8, 0xb8, 0xcc));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (m_image.isNull())
        return;
    const QRectF area = ImageArea();
    PaintChecker(painter, area.toAlignedRect());
    painter.drawImage(area.topLeft(), m_shown);
    if (m_selection.isNull())
        return;
    const double sx = area.width() / m_image.width();
    const double sy = area.height() / m_image.height();
    const QRectF shown(area.left() + m_selection.left() * sx, area.top() + m_selection.top() * sy,
                       m_selection.width() * sx, m_selection.height() * sy);
    painter.setBrush(QColor(0x3a, 0x8d, 0xde, 0x30));
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(shown);
    painter.setPen(QPen(QColor(0x1d, 0x5f, 0xb0), 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(shown);
}

void EditPreview::mousePressEvent(QMouseEvent *event)
{
    if (m_image.isNull() || event->button() != Qt::LeftButton)
        return;
    m_anchor = ImagePixelAt(event->position());
    m_dragging = true;
    m_selection = {};
    update();
}

void EditPreview::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging)
        return;
    const QPoint here = ImagePixelAt(event->position());
    // Corners on pixel edges: a drag over the whole view selects the whole
    // image, a click selects nothing.
    m_selection = QRect(QPoint(std::min(m_anchor.x(), here.x()), std::min(m_anchor.y(), here.y())),
                        QSize(std::abs(here.x() - m_anchor.x()), std::abs(here.y() - m_anchor.y())));
    if (m_selection.isEmpty())
        m_selection = {};
    update();
}

void EditPreview::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_dragging || event->button() != Qt::LeftButton)
        return;
    mouseMoveEvent(event);
    m_dragging = false;
}

}  // namespace kq::panel
