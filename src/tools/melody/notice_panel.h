#pragma once

#include <QColor>
#include <QFrame>
#include <QPoint>

// The notice shown in the middle of the melody window while the clock runs
// the melody or sends its memory; the pupil can drag it aside.
namespace kq {

class NoticePanel final : public QFrame {
    Q_OBJECT

public:
    NoticePanel(const QString &title, const QString &line1, const QString &line2, const QColor &colour,
                QWidget *parent);

    // Shows it centred in its parent.
    void ShowCentred();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QPoint m_grab;
};

}  // namespace kq
