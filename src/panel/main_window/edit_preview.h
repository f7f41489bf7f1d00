#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QWidget>

namespace kq::panel {

// The small view beside the canvas: the selected layer's image fitted into
// the view, and a selection rectangle the pupil drags on it, kept in the
// image's own pixels for the effects.
class EditPreview final : public QWidget {
    Q_OBJECT

public:
    explicit EditPreview(QWidget *parent = nullptr);

    // Shows an image (pixels of the transparent colour left out when
    // transparent is set) and drops the selection.
    void ShowImage(const QImage &image, bool transparent, const QColor &transparentColour);
    void Clear();

    // In image pixels; null when nothing is selected.
    QRect Selection() const { return m_selection; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Where the fitted image lies in the view.
    QRectF ImageArea() const;
    QPoint ImagePixelAt(const QPointF &viewPoint) const;
    void UpdateShown();

    QImage m_image;
    QImage m_shown;  // ARGB with the transparent colour cleared, fitted to the view
    bool m_transparent = false;
    QColor m_transparentColour;
    QRect m_selection;
    QPoint m_anchor;
    bool m_dragging = false;
};

}  // namespace kq::panel
