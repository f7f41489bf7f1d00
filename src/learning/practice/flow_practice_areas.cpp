#include "learning/practice/flow_practice_areas.h"

#include "editors/flowchart/flowchart_painter.h"
#include "editors/flowchart/flowchart_sheet.h"
#include "learning/practice/practice_checks.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

namespace kq {
namespace {

constexpr int kLinkBoxWidth = 100;
constexpr int kLinkBoxHeight = 50;

}  // namespace

FlowPracticeDropArea::FlowPracticeDropArea(QWidget *parent) : QLabel(parent)
{
    setAcceptDrops(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void FlowPracticeDropArea::dragEnterEvent(QDragEnterEvent *event)
{
    if (PaletteNumberOf(event->mimeData()))
        event->acceptProposedAction();
}

void FlowPracticeDropArea::dragMoveEvent(QDragMoveEvent *event)
{
    if (PaletteNumberOf(event->mimeData()))
        event->acceptProposedAction();
}

void FlowPracticeDropArea::dropEvent(QDropEvent *event)
{
    const std::optional<int> kind = PaletteNumberOf(event->mimeData());
    if (!kind)
        return;
    event->acceptProposedAction();
    emit KindDropped(*kind, event->position().toPoint());
}

FlowPracticeLinkArea::FlowPracticeLinkArea(QWidget *parent) : QWidget(parent)
{
    setMinimumSize(250, 320);
    setMouseTracking(false);
}

QPoint FlowPracticeLinkArea::BoxCorner(int box)
{
    return {75, 50 + 100 * box};
}

void FlowPracticeLinkArea::SetBoxes(const std::array<QPixmap, kBoxes> &pictures)
{
    m_pictures = pictures;
    m_hasBoxes = true;
    update();
}

void FlowPracticeLinkArea::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // The colour sheet's background, which the colour figures are drawn on.
    painter.fillRect(rect(), kColourSheet);
    if (!m_hasBoxes)
        return;
    for (int box = 0; box < kBoxes; ++box)
        painter.drawPixmap(QRect(BoxCorner(box), QSize(kLinkBoxWidth, kLinkBoxHeight)),
                           m_pictures[static_cast<std::size_t>(box)]);
    painter.setPen(QPen(Qt::black, 3));
    painter.setRenderHint(QPainter::Antialiasing);
    // Redrawn from the link flags alone, so a repaint never loses an arrow.
    for (int from = 0; from < kBoxes - 1; ++from) {
        if (!m_links[static_cast<std::size_t>(from)])
            continue;
        const QPoint tail = BoxCorner(from) + QPoint(kLinkBoxWidth / 2, kLinkBoxHeight);
        const QPoint tip = BoxCorner(from + 1) + QPoint(kLinkBoxWidth / 2, 0);
        painter.drawLine(tail, tip);
        painter.setBrush(Qt::black);
        painter.drawPolygon(QPolygon({tip, tip + QPoint(-5, -5), tip + QPoint(5, -5)}));
    }
    if (m_rubber)
        painter.drawLine(m_rubberStart, *m_rubber);
}

void FlowPracticeLinkArea::mousePressEvent(QMouseEvent *event)
{
    if (!m_hasBoxes || event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    for (int from = 0; from < kBoxes - 1; ++from) {
        if (InFlowPracticeLinkZone(at - BoxCorner(from))) {
            m_linkingFrom = from;
            m_rubberStart = at;
            m_rubber = at;
            update();
            return;
        }
    }
}

void FlowPracticeLinkArea::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_linkingFrom)
        return;
    m_rubber = event->position().toPoint();
    update();
}

void FlowPracticeLinkArea::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_linkingFrom || event->button() != Qt::LeftButton)
        return;
    const int from = *m_linkingFrom;
    m_linkingFrom.reset();
    m_rubber.reset();
    const bool wasComplete = m_links[0] && m_links[1];
    if (InsideFlowPracticeBox(event->position().toPoint() - BoxCorner(from + 1)))
        m_links[static_cast<std::size_t>(from)] = true;
    update();
    if (!wasComplete && m_links[0] && m_links[1])
        emit BothLinked();
}

}  // namespace kq
