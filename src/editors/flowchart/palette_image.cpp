#include "editors/flowchart/palette_image.h"

#include "editors/flowchart/flowchart_sheet.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>

#include <cstdlib>

namespace kq {

PaletteImage::PaletteImage(int paletteNumber, const QPixmap &picture, QWidget *parent)
    : QLabel(parent), m_paletteNumber(paletteNumber)
{
    setObjectName(QStringLiteral("DragImage%1").arg(paletteNumber));
    setPixmap(picture);
    setFixedSize(100, 50);
    setCursor(Qt::OpenHandCursor);
}

void PaletteImage::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressedAt = event->position().toPoint();
}

void PaletteImage::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_pressedAt || !(event->buttons() & Qt::LeftButton))
        return;
    const QPoint moved = event->position().toPoint() - *m_pressedAt;
    const int threshold = QApplication::startDragDistance();
    if (std::abs(moved.x()) <= threshold && std::abs(moved.y()) <= threshold)
        return;
    m_pressedAt.reset();
    auto *drag = new QDrag(this);
    drag->setMimeData(PaletteMimeData(m_paletteNumber).release());
    drag->setPixmap(pixmap());
    drag->setHotSpot(QPoint(0, 0));  // the drop point is the new box's corner
    drag->exec(Qt::CopyAction);
}

void PaletteImage::mouseReleaseEvent(QMouseEvent *)
{
    m_pressedAt.reset();
}

}  // namespace kq
