#pragma once

#include "editors/flowchart/flowchart.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QPixmap>
#include <QString>

class QPainter;

namespace kq {

class Paths;

inline const QColor kColourSheet {0xE6, 0xE6, 0xFA};
inline const QColor kSelectionFrame {0x00, 0xFF, 0xFF};

// Draws a routine of a flowchart: arrows under the boxes, each box from its
// figure with its caption and colour bars, and the selection frames. Box
// pictures are kept until a box looks different, so a repaint only blits.
class FlowchartPainter {
public:
    explicit FlowchartPainter(const Paths &paths);

    bool ColourMode() const { return m_colourMode; }
    void SetColourMode(bool on);
    QColor Background() const { return m_colourMode ? kColourSheet : QColor(Qt::white); }

    // Paints in sheet coordinates: the caller translates by the scroll
    // position and clips to the exposed area.
    void Paint(QPainter &painter, const Flowchart &flowchart, int routine, const QList<int> &selection);
    void PaintArrows(QPainter &painter, const Flowchart &flowchart, int routine);
    QPixmap BoxPicture(const FlowNode &node, const QStringList &subroutineNames, int generation);

private:
    QPixmap Figure(const FlowNode &node);

    const Paths &m_paths;
    bool m_colourMode = true;
    QHash<QString, QPixmap> m_figures;  // by file
    QHash<QString, QPixmap> m_boxes;  // by what a box shows
};

inline const QString kRoutinePictureName = QStringLiteral("Report/Img/Routine%1.bmp");

// The report's pictures of the routines that hold boxes, in the temporary
// folder; the pictures of earlier reports are removed first. False when a
// picture could not be written.
[[nodiscard]] bool WriteRoutinePictures(FlowchartPainter &painter, const Flowchart &flowchart, const Paths &paths);

}  // namespace kq
