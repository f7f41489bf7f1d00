#include "tools/melody/staff_view.h"

#include "tools/melody/staff_painter.h"

#include <QMouseEvent>
#include <QPainter>

namespace kq {

StaffView::StaffView(const Melody &melody, QImage clef, QWidget *parent)
    : QWidget(parent), m_melody(melody), m_clef(std::move(clef))
{
    setObjectName(QStringLiteral("StaffView"));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
    Refresh();
}

void StaffView::Refresh()
{
    m_layout = LayOutStaff(m_melody, width());
    setMinimumHeight(m_layout.height);
    update();
}

void StaffView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    PaintStaff(painter, m_melody, m_layout, m_clef);
}

void StaffView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::RightButton)
        return;
    const QPoint point = event->position().toPoint();
    if (const std::optional<int> index = NoteAt(m_layout, m_melody, point))
        emit NoteRightClicked(*index, mapToGlobal(point));
}

void StaffView::resizeEvent(QResizeEvent *)
{
    if (width() != m_layout.width)
        Refresh();
}

}  // namespace kq
