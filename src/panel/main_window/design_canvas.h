#pragma once

#include <QHash>
#include <QImage>
#include <QPoint>
#include <QWidget>

namespace kq::panel {

class PanelDocument;

// The design canvas: the document drawn at the display scale. A press
// selects the layer under the mouse and starts dragging it with the grab
// point kept under the mouse; the release writes the new position; the
// arrow keys move the selected layer by one document pixel.
class DesignCanvas final : public QWidget {
    Q_OBJECT

public:
    explicit DesignCanvas(QWidget *parent = nullptr);

    // The document stays owned by the window; the canvas only follows it.
    void SetDocument(PanelDocument *document);
    void SetScale(double scaleX, double scaleY);

    // After an edit opened by a double-click the next press only ends the
    // double-click and selects nothing.
    void IgnoreNextPress() { m_ignoreNextPress = true; }

    QPoint DocumentPoint(const QPointF &canvasPoint) const;
    // The size a picture of the document's size takes on the canvas.
    QSize ShownSize(QSize documentSize) const { return ShownRect({}, documentSize).size(); }

signals:
    // The selected layer changed (a press, also on the selected one).
    void SelectionChanged();
    // A right press: the window offers the layer menu.
    void MenuRequested(const QPoint &globalPosition);
    void DoubleClicked(const QPoint &documentPoint);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Selects the layer under the point (the background, or nothing outside
    // the panel) and returns it.
    int SelectAt(QPoint documentPoint);
    void DragTo(const QPointF &canvasPoint);
    // The image as shown (keyed and scaled), kept while it stays the same.
    const QImage &Shown(const QImage &image, bool transparent, QRgb key);
    QRect ShownRect(QPoint position, QSize size) const;

    struct CacheEntry {
        bool transparent = false;
        QRgb key = 0;
        QSize size;
        QImage shown;
    };

    PanelDocument *m_document = nullptr;
    double m_scaleX = 1.0;
    double m_scaleY = 1.0;
    QHash<qint64, CacheEntry> m_cache;  // by QImage::cacheKey of the layer image
    int m_dragged = -1;
    QPoint m_grabOffset;
    bool m_ignoreNextPress = false;
};

}  // namespace kq::panel
