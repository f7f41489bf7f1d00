#pragma once

#include <QPixmap>
#include <QWidget>

namespace kq {

// A clickable picture of the main menu, with a hand cursor and a light
// highlight while the mouse is over it.
class MenuPicture final : public QWidget {
    Q_OBJECT
public:
    MenuPicture(const QString &name, const QPixmap &picture, const QRect &area, QWidget *parent);

signals:
    void Clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPixmap m_picture;
    bool m_hovered = false;
};

}  // namespace kq
