#pragma once

#include <QLabel>
#include <QMimeData>
#include <QPoint>

#include <memory>
#include <optional>

// Dragging an icon from the palette to a slot of the row.
namespace kq {

std::unique_ptr<QMimeData> IconMimeData(int icon);
// The palette icon a drag carries; nullopt for anything else.
std::optional<int> IconOfMime(const QMimeData *mime);

// A palette picture: a left press and a move beyond the system's drag
// distance drag its icon.
class PaletteIcon final : public QLabel {
    Q_OBJECT

public:
    PaletteIcon(int icon, const QPixmap &picture, QWidget *parent);
    int Icon() const { return m_icon; }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    int m_icon;
    std::optional<QPoint> m_pressedAt;
};

// The icon area of a slot: the only place that takes a dropped icon, and
// where the right button opens the slot's menu.
class SlotIconArea final : public QLabel {
    Q_OBJECT

public:
    SlotIconArea(int slot, QWidget *parent);
    int Slot() const { return m_slot; }

signals:
    void IconDropped(int icon);
    void MenuRequested(const QPoint &globalPos);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    int m_slot;
};

}  // namespace kq
