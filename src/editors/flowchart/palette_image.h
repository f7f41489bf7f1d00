#pragma once

#include <QLabel>
#include <QPoint>

#include <optional>

namespace kq {

// One of the fourteen palette pictures (DragImage0 .. DragImage13): a left
// press and a move beyond the system's drag distance drag its instruction.
class PaletteImage final : public QLabel {
    Q_OBJECT

public:
    PaletteImage(int paletteNumber, const QPixmap &picture, QWidget *parent);
    int PaletteNumber() const { return m_paletteNumber; }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int m_paletteNumber;
    std::optional<QPoint> m_pressedAt;
};

}  // namespace kq
