#pragma once

#include <QPixmap>
#include <QPoint>
#include <QWidget>

namespace kq {

// A page of the main menu: its background picture, and the handle by which
// the borderless menu window is dragged around the screen.
class MenuPage final : public QWidget {
    Q_OBJECT
public:
    MenuPage(const QString &name, const QPixmap &background, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QPixmap m_background;
    // The window's position minus the mouse's when the button went down.
    QPoint m_grabOffset;
};

}  // namespace kq
