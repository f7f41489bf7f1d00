#pragma once

#include "editors/flowchart/flowchart.h"

#include <QHash>
#include <QPoint>
#include <QWidget>

#include <memory>
#include <optional>

class QMimeData;
class QScrollArea;

namespace kq {

class FlowchartDocument;
class FlowchartPainter;

// A palette picture dragged towards the sheet carries its PaletteNumber.
std::unique_ptr<QMimeData> PaletteMimeData(int paletteNumber);
// nullopt for anything else.
std::optional<int> PaletteNumberOf(const QMimeData *mime);

// The sheet of the current routine (3100 pixels high, inside the scroll
// area): draws the routine and turns presses, moves and releases into the
// document's operations. Widget coordinates are sheet coordinates.
class FlowchartSheet final : public QWidget {
    Q_OBJECT

public:
    static constexpr int kSheetHeight = 3100;

    FlowchartSheet(FlowchartDocument &document, FlowchartPainter &painter, QScrollArea &scrollArea,
                   QWidget *parent = nullptr);

    // While a program runs on the clock, presses on the empty sheet do nothing.
    void SetRunning(bool running) { m_running = running; }
    // The box the running program is at, framed in red; kNoSlot for none.
    void SetTraceSlot(int slot);
    int TraceSlot() const { return m_traceSlot; }

signals:
    // A palette picture was dropped: at sheetPoint (the new box's corner) or
    // onto the box in slot.
    void PaletteDropped(int paletteNumber, QPoint sheetPoint, int slot);
    // The left button was released on the box the selection holds alone.
    void BoxClicked(int slot);
    // A press on the empty sheet: the panel closes.
    void EmptySheetPressed();
    // The right button: onBox tells whether it was pressed on a box.
    void MenuRequested(QPoint globalPoint, bool onBox);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    enum class Gesture {
        Idle,
        NextArrow,
        BranchArrow,
        Moving,
        Band
    };

    QPoint ScrollPosition() const;
    // How far the selection may follow the mouse without a box passing the
    // visible left or top edge.
    QPoint MoveOffset(QPoint mouse) const;

    FlowchartDocument &m_document;
    FlowchartPainter &m_painter;
    QScrollArea &m_scrollArea;
    Gesture m_gesture = Gesture::Idle;
    int m_pressedSlot = kNoSlot;
    QPoint m_pressPoint;
    QPoint m_mousePoint;
    bool m_mouseMoved = false;
    bool m_running = false;
    int m_traceSlot = kNoSlot;
};

}  // namespace kq
