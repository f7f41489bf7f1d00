#pragma once

#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QWidget>

namespace kq::panel {

// The preview page: the panel frame picture with a finished panel drawn
// into the design canvas's place at the display scale.
class PreviewPage final : public QWidget {
    Q_OBJECT

public:
    explicit PreviewPage(QWidget *parent = nullptr);

    void SetFrame(const QPixmap &frame, const QRect &canvas);
    void ShowPanel(const QImage &flattened, QSize shownSize);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_frame;
    QRect m_canvas;
    QImage m_shown;
};

}  // namespace kq::panel
