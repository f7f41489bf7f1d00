#include "editors/flowchart/flowchart_sheet.h"

#include "editors/flowchart/flowchart_document.h"
#include "editors/flowchart/flowchart_painter.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>

namespace kq {

namespace {

constexpr int kTraceFrameWidth = 6;

const QString kPaletteMimeType = QStringLiteral("application/x-kq27-flowchart-palette");

}  // namespace

std::unique_ptr<QMimeData> PaletteMimeData(int paletteNumber)
{
    auto mime = std::make_unique<QMimeData>();
    mime->setData(kPaletteMimeType, QByteArray::number(paletteNumber));
    return mime;
}

std::optional<int> PaletteNumberOf(const QMimeData *mime)
{
    if (!mime || !mime->hasFormat(kPaletteMimeType))
        return std::nullopt;
    bool ok = false;
    const int number = mime->data(kPaletteMimeType).toInt(&ok);
    if (!ok || !KindOfPaletteNumber(number))
        return std::nullopt;
    return number;
}

FlowchartSheet::FlowchartSheet(FlowchartDocument &document, FlowchartPainter &painter, QScrollArea &scrollArea,
                               QWidget *parent)
    : QWidget(parent), m_document(document), m_painter(painter), m_scrollArea(scrollArea)
{
    setObjectName(QStringLiteral("PaintBox1"));
    setMinimumHeight(kSheetHeight);
    setAcceptDrops(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&m_document, &StepDocument::Changed, this, qOverload<>(&QWidget::update));
}

QPoint FlowchartSheet::ScrollPosition() const
{
    return {m_scrollArea.horizontalScrollBar()->value(), m_scrollArea.verticalScrollBar()->value()};
}

QPoint FlowchartSheet::MoveOffset(QPoint mouse) const
{
    return mouse - m_pressPoint;
}

void FlowchartSheet::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), m_painter.Background());
    const Flowchart &chart = m_document.Chart();
    if (m_gesture == Gesture::Moving && m_mouseMoved) {
        // The boxes follow the mouse; the document changes on release.
        Flowchart moved = chart;
        const QPoint offset = MoveOffset(m_mousePoint);
        const QPoint edge = ScrollPosition();
        moved.MoveSelection(offset.x(), offset.y(), edge.x(), edge.y());
        m_painter.Paint(painter, moved, moved.CurrentRoutine(), chart.Selection());
    } else {
        m_painter.Paint(painter, chart, chart.CurrentRoutine(), chart.Selection());
    }
    painter.setBrush(Qt::NoBrush);
    if ((m_gesture == Gesture::NextArrow || m_gesture == Gesture::BranchArrow) && m_mouseMoved) {
        painter.setPen(QPen(Qt::black, 3));
        painter.drawLine(m_pressPoint, m_mousePoint);
    } else if (m_gesture == Gesture::Band) {
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(QRect(m_pressPoint, m_mousePoint).normalized());
    }
    if (m_traceSlot != kNoSlot && chart.Node(m_traceSlot).IsUsed()) {
        const FlowNode &node = chart.Node(m_traceSlot);
        painter.setPen(QPen(Qt::red, kTraceFrameWidth));
        painter.drawRect(QRect(node.x, node.y, kBoxWidth, kBoxHeight));
    }
}

void FlowchartSheet::SetTraceSlot(int slot)
{
    m_traceSlot = slot;
    update();
}

void FlowchartSheet::mousePressEvent(QMouseEvent *event)
{
    const QPoint point = event->position().toPoint();
    const int slot = m_document.Chart().SlotAt(point);
    if (event->button() == Qt::RightButton) {
        // The menu's commands act on the selection: the box under the mouse
        // joins it as a left press would, so they act on what was clicked.
        if (slot != kNoSlot && m_gesture == Gesture::Idle)
            m_document.Edit([slot](Flowchart &chart) { chart.Press(slot); });
        emit MenuRequested(event->globalPosition().toPoint(), slot != kNoSlot);
        return;
    }
    if (event->button() != Qt::LeftButton || m_gesture != Gesture::Idle)
        return;
    m_pressPoint = point;
    m_mousePoint = point;
    m_mouseMoved = false;
    m_pressedSlot = slot;
    if (slot == kNoSlot) {
        if (m_running)
            return;
        m_document.Edit([](Flowchart &chart) { chart.ClearSelection(); });
        emit EmptySheetPressed();
        m_gesture = Gesture::Band;
        return;
    }
    m_document.Edit([slot](Flowchart &chart) { chart.Press(slot); });
    const FlowNode &node = m_document.Chart().Node(slot);
    switch (PressZoneOf(point - QPoint(node.x, node.y))) {
    case PressZone::BottomConnector:
        if (node.kind != NameOf(InstructionKind::End))
            m_gesture = Gesture::NextArrow;
        break;
    case PressZone::RightConnector:
        if (node.kind == NameOf(InstructionKind::If))
            m_gesture = Gesture::BranchArrow;
        break;
    case PressZone::Body:
        m_gesture = Gesture::Moving;
        break;
    }
}

void FlowchartSheet::mouseMoveEvent(QMouseEvent *event)
{
    if (m_gesture == Gesture::Idle)
        return;
    m_mousePoint = event->position().toPoint();
    m_mouseMoved |= m_mousePoint != m_pressPoint;
    update();
}

void FlowchartSheet::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || m_gesture == Gesture::Idle)
        return;
    const Gesture gesture = m_gesture;
    m_gesture = Gesture::Idle;
    const QPoint point = event->position().toPoint();
    m_mouseMoved |= point != m_pressPoint;
    const int slot = m_pressedSlot;
    switch (gesture) {
    case Gesture::NextArrow:
    case Gesture::BranchArrow:
        if (m_mouseMoved) {
            const Connector connector = gesture == Gesture::NextArrow ? Connector::Next : Connector::Branch;
            m_document.Edit([&](Flowchart &chart) { return chart.Link(slot, connector, point); });
        }
        update();
        break;
    case Gesture::Moving: {
        const QPoint offset = m_mouseMoved ? MoveOffset(point) : QPoint();
        const QPoint edge = ScrollPosition();
        m_document.Edit([&](Flowchart &chart) { chart.MoveSelection(offset.x(), offset.y(), edge.x(), edge.y()); });
        if (m_document.Chart().Selection() == QList<int> {slot})
            emit BoxClicked(slot);
        break;
    }
    case Gesture::Band:
        m_document.Edit([&](Flowchart &chart) { chart.SelectBand(m_pressPoint, point); });
        break;
    case Gesture::Idle:
        break;
    }
}

void FlowchartSheet::dragEnterEvent(QDragEnterEvent *event)
{
    if (PaletteNumberOf(event->mimeData()))
        event->acceptProposedAction();
}

void FlowchartSheet::dragMoveEvent(QDragMoveEvent *event)
{
    if (PaletteNumberOf(event->mimeData()))
        event->acceptProposedAction();
}

void FlowchartSheet::dropEvent(QDropEvent *event)
{
    const std::optional<int> number = PaletteNumberOf(event->mimeData());
    if (!number)
        return;
    event->acceptProposedAction();
    const QPoint point = event->position().toPoint();
    emit PaletteDropped(*number, point, m_document.Chart().SlotAt(point));
}

}  // namespace kq
