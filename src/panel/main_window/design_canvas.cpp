#include "panel/main_window/design_canvas.h"

#include "panel/document/panel_document.h"
#include "panel/main_window/keyed_image.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSet>

#include <cmath>

namespace kq::panel {

DesignCanvas::DesignCanvas(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("DesignCanvas"));
    setFocusPolicy(Qt::ClickFocus);
}

void DesignCanvas::SetDocument(PanelDocument *document)
{
    m_document = document;
    m_dragged = -1;
    m_ignoreNextPress = false;
    m_cache.clear();
    update();
}

void DesignCanvas::SetScale(double scaleX, double scaleY)
{
    m_scaleX = scaleX;
    m_scaleY = scaleY;
    m_cache.clear();
    update();
}

QPoint DesignCanvas::DocumentPoint(const QPointF &canvasPoint) const
{
    return {int(std::floor(canvasPoint.x() / m_scaleX)), int(std::floor(canvasPoint.y() / m_scaleY))};
}

QRect DesignCanvas::ShownRect(QPoint position, QSize size) const
{
    return {int(std::lround(position.x() * m_scaleX)), int(std::lround(position.y() * m_scaleY)),
            std::max(1, int(std::lround(size.width() * m_scaleX))),
            std::max(1, int(std::lround(size.height() * m_scaleY)))};
}

const QImage &DesignCanvas::Shown(const QImage &image, bool transparent, QRgb key)
{
    const QSize size = ShownRect({}, image.size()).size();
    CacheEntry &entry = m_cache[image.cacheKey()];
    if (entry.shown.isNull() || entry.transparent != transparent || entry.key != key || entry.size != size) {
        entry.transparent = transparent;
        entry.key = key;
        entry.size = size;
        entry.shown = KeyedImage(image, transparent, QColor::fromRgb(key), size);
    }
    return entry.shown;
}

void DesignCanvas::paintEvent(QPaintEvent *)
{
    // No fill: where the panel (made a little smaller by the scale
    // corrections) leaves room, the frame picture behind shows through.
    QPainter painter(this);
    if (!m_document)
        return;
    QSet<qint64> used;
    const QImage &background = m_document->Background();
    if (!background.isNull()) {
        used.insert(background.cacheKey());
        painter.drawImage(ShownRect({}, background.size()).topLeft(), Shown(background, false, 0));
    }
    for (int n = 0; n < m_document->LayerCount(); ++n) {
        const PanelLayer &layer = m_document->Layer(n);
        if (layer.image.isNull())
            continue;
        used.insert(layer.image.cacheKey());
        painter.drawImage(ShownRect(layer.position, layer.image.size()).topLeft(),
                          Shown(layer.image, layer.transparent, layer.transparentColour.rgb()));
    }
    for (auto it = m_cache.begin(); it != m_cache.end();) {
        it = used.contains(it.key()) ? std::next(it) : m_cache.erase(it);
    }

    // The selected layer's outline, so the pupil sees what a drag moves.
    const int selected = m_document->Selected();
    if (selected >= 0 && selected < m_document->LayerCount()) {
        const PanelLayer &layer = m_document->Layer(selected);
        const QRect outline = ShownRect(layer.position, layer.image.size()).adjusted(0, 0, -1, -1);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(outline);
        painter.setPen(QPen(QColor(0xe0, 0x40, 0x60), 1, Qt::DashLine));
        painter.drawRect(outline);
    }
}

int DesignCanvas::SelectAt(QPoint documentPoint)
{
    const int layer = m_document->LayerUnder(documentPoint);
    m_document->Select(layer);
    update();
    emit SelectionChanged();
    return layer;
}

void DesignCanvas::mousePressEvent(QMouseEvent *event)
{
    if (!m_document)
        return;
    if (m_ignoreNextPress) {
        m_ignoreNextPress = false;
        return;
    }
    const QPoint point = DocumentPoint(event->position());
    const int layer = SelectAt(point);
    m_dragged = -1;
    if (layer >= 0 && event->button() == Qt::LeftButton) {
        m_dragged = layer;
        m_grabOffset = point - m_document->Layer(layer).position;
    }
    if (event->button() == Qt::RightButton)
        emit MenuRequested(event->globalPosition().toPoint());
}

void DesignCanvas::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_document || m_dragged < 0 || !(event->buttons() & Qt::LeftButton))
        return;
    DragTo(event->position());
}

void DesignCanvas::DragTo(const QPointF &canvasPoint)
{
    const QPoint position = DocumentPoint(canvasPoint) - m_grabOffset;
    if (position == m_document->Layer(m_dragged).position)
        return;
    m_document->MoveLayerTo(m_dragged, position);
    update();
}

void DesignCanvas::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_document || m_dragged < 0 || event->button() != Qt::LeftButton)
        return;
    DragTo(event->position());
    m_document->CommitPosition(m_dragged);
    m_dragged = -1;
}

void DesignCanvas::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (!m_document || event->button() != Qt::LeftButton)
        return;
    // The double-click stands for its second press: it selects, but starts
    // no drag, since the edit it opens takes the release.
    m_dragged = -1;
    const QPoint point = DocumentPoint(event->position());
    SelectAt(point);
    emit DoubleClicked(point);
}

void DesignCanvas::keyPressEvent(QKeyEvent *event)
{
    QPoint delta;
    switch (event->key()) {
    case Qt::Key_Left:
        delta = {-1, 0};
        break;
    case Qt::Key_Right:
        delta = {1, 0};
        break;
    case Qt::Key_Up:
        delta = {0, -1};
        break;
    case Qt::Key_Down:
        delta = {0, 1};
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    if (!m_document || m_document->Selected() < 0 || m_dragged >= 0)
        return;
    m_document->NudgeLayer(m_document->Selected(), delta);
    update();
}

}  // namespace kq::panel
