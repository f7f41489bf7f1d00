#pragma once

#include <QPixmap>
#include <QWidget>

namespace kq {

// A clickable picture of the menus and windows, with a hand cursor and a
// light highlight while the mouse is over it. While its picture is missing it
// looks like a plain push button carrying fallbackText, so the window stays
// usable.
class ClickablePicture final : public QWidget {
    Q_OBJECT
public:
    ClickablePicture(const QString &name, const QPixmap &picture, const QString &fallbackText,
                     QWidget *parent = nullptr);

    bool HasPicture() const { return !m_picture.isNull(); }
    QSize sizeHint() const override;

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
    QString m_fallbackText;
    bool m_hovered = false;
    bool m_pressed = false;
};

}  // namespace kq
