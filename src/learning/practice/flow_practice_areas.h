#pragma once

#include <QLabel>
#include <QPixmap>
#include <QPoint>
#include <QWidget>

#include <array>
#include <optional>

namespace kq {

// Page 4's drop area: takes an instruction dragged from the palette.
class FlowPracticeDropArea final : public QLabel {
    Q_OBJECT

public:
    explicit FlowPracticeDropArea(QWidget *parent = nullptr);

signals:
    void KindDropped(int kind, const QPoint &position);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
};

// Page 8's drawing: start, lamp and end one above the other, linked by
// pressing in a box's connection zone and releasing inside the next box.
class FlowPracticeLinkArea final : public QWidget {
    Q_OBJECT

public:
    static constexpr int kBoxes = 3;

    explicit FlowPracticeLinkArea(QWidget *parent = nullptr);

    void SetBoxes(const std::array<QPixmap, kBoxes> &pictures);
    bool HasBoxes() const { return m_hasBoxes; }
    bool Linked(int from) const { return m_links.at(static_cast<std::size_t>(from)); }
    bool RubberLineShown() const { return m_rubber.has_value(); }
    // The box's top-left corner in the area.
    static QPoint BoxCorner(int box);

signals:
    void BothLinked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_hasBoxes = false;
    std::array<QPixmap, kBoxes> m_pictures;
    std::array<bool, kBoxes - 1> m_links {};
    std::optional<int> m_linkingFrom;
    std::optional<QPoint> m_rubber;
    QPoint m_rubberStart;
};

}  // namespace kq
