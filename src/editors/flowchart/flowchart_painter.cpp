#include "editors/flowchart/flowchart_painter.h"

#include "base/paths.h"
#include "base/picture_file.h"
#include "editors/flowchart/arrow_route.h"
#include "editors/flowchart/box_look.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>

namespace kq {
namespace {

QRect BoxRect(const FlowNode &node)
{
    return {node.x, node.y, kBoxWidth, kBoxHeight};
}

QColor ColourOf(const Rgb &rgb)
{
    return QColor(rgb.red, rgb.green, rgb.blue);
}

}  // namespace

FlowchartPainter::FlowchartPainter(const Paths &paths) : m_paths(paths)
{
}

void FlowchartPainter::SetColourMode(bool on)
{
    if (on == m_colourMode)
        return;
    m_colourMode = on;
    m_boxes.clear();
}

QPixmap FlowchartPainter::Figure(const FlowNode &node)
{
    const QString file = FigureFileOf(node, m_colourMode);
    auto found = m_figures.constFind(file);
    if (found == m_figures.constEnd())
        found = m_figures.insert(file, QPixmap(m_paths.ProgramFile(file)));
    return *found;
}

QPixmap FlowchartPainter::BoxPicture(const FlowNode &node, const QStringList &subroutineNames, int generation)
{
    const QString caption = BoxCaptionOf(node, subroutineNames, generation);
    const QString key = FigureFileOf(node, m_colourMode) + '|' + node.params + '|' + caption;
    if (const auto found = m_boxes.constFind(key); found != m_boxes.constEnd())
        return *found;

    QPixmap picture(kBoxWidth, kBoxHeight);
    picture.fill(m_colourMode ? kColourSheet : QColor(Qt::white));
    QPainter painter(&picture);
    const QPixmap figure = Figure(node);
    if (figure.isNull()) {
        // A damaged installation still shows where the box is.
        painter.setPen(Qt::black);
        painter.drawRect(0, 0, kBoxWidth - 1, kBoxHeight - 1);
    } else {
        painter.drawPixmap(0, 0, figure);
    }
    if (const std::optional<Rgb> bars = BarColourOf(node)) {
        painter.fillRect(QRect(QPoint(1, 1), QPoint(14, 48)), ColourOf(*bars));
        painter.fillRect(QRect(QPoint(85, 1), QPoint(98, 48)), ColourOf(*bars));
    }
    if (!caption.isEmpty()) {
        QFont font = painter.font();
        font.setPixelSize(11);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QRect(0, 15, kBoxWidth, kBoxHeight - 15), Qt::AlignCenter | Qt::TextWordWrap, caption);
    }
    painter.end();
    m_boxes.insert(key, picture);
    return picture;
}

void FlowchartPainter::PaintArrows(QPainter &painter, const Flowchart &flowchart, int routine)
{
    QList<QRect> boxes;
    for (int slot = 0; slot < kRoutineSlots; ++slot)
        if (flowchart.Node(routine, slot).IsUsed())
            boxes << BoxRect(flowchart.Node(routine, slot));

    painter.setPen(QPen(Qt::black, 3));
    painter.setBrush(Qt::black);
    for (int slot = 0; slot < kRoutineSlots; ++slot) {
        const FlowNode &node = flowchart.Node(routine, slot);
        if (!node.IsUsed())
            continue;
        for (const Connector connector : {Connector::Next, Connector::Branch}) {
            const int target = connector == Connector::Next ? node.next : node.branch;
            // A link to a free slot can only come from a damaged file.
            if (target == kNoSlot || !flowchart.Node(routine, target).IsUsed())
                continue;
            const QRect targetBox = BoxRect(flowchart.Node(routine, target));
            const QPolygon route = connector == Connector::Next ? NextArrowRoute(BoxRect(node), targetBox, boxes)
                                                                : BranchArrowRoute(BoxRect(node), targetBox);
            painter.drawPolyline(route);
            painter.drawPolygon(ArrowHead(route.last()));
        }
    }
}

void FlowchartPainter::Paint(QPainter &painter, const Flowchart &flowchart, int routine, const QList<int> &selection)
{
    PaintArrows(painter, flowchart, routine);
    for (int slot = 0; slot < kRoutineSlots; ++slot) {
        const FlowNode &node = flowchart.Node(routine, slot);
        if (node.IsUsed())
            painter.drawPixmap(node.x, node.y, BoxPicture(node, flowchart.SubroutineNames(), flowchart.Generation()));
    }
    painter.setPen(QPen(kSelectionFrame, 6));
    painter.setBrush(Qt::NoBrush);
    for (const int slot : selection)
        if (flowchart.Node(routine, slot).IsUsed())
            painter.drawRect(BoxRect(flowchart.Node(routine, slot)).adjusted(-3, -3, 2, 2));
}

bool WriteRoutinePictures(FlowchartPainter &painter, const Flowchart &flowchart, const Paths &paths)
{
    const QString temp = paths.TempFolder();
    if (!QDir().mkpath(temp + QStringLiteral("Report/Img")))
        return false;
    for (int routine = 0; routine < kRoutineCount; ++routine)
        QFile::remove(temp + kRoutinePictureName.arg(routine));
    for (int routine = 0; routine < kRoutineCount; ++routine) {
        bool used = false;
        for (int slot = 0; slot < kRoutineSlots; ++slot)
            used |= flowchart.Node(routine, slot).IsUsed();
        if (!used)
            continue;
        const QRect area = RoutinePictureRect(flowchart, routine);
        QImage picture(area.size(), QImage::Format_RGB32);
        picture.fill(painter.Background());
        QPainter canvas(&picture);
        canvas.translate(-area.topLeft());
        painter.Paint(canvas, flowchart, routine, {});
        canvas.end();
        if (!WritePictureFile(temp + kRoutinePictureName.arg(routine), picture, "BMP"))
            return false;
    }
    return true;
}

}  // namespace kq
