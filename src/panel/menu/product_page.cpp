#include "panel/menu/product_page.h"

#include "panel/document/panel_picture.h"
#include "panel/model/kit_model.h"

#include <QPainter>
#include <QTransform>

#include <cmath>

namespace kq::panel {

namespace {

QImage Scaled(const QImage &panel, double factor)
{
    const QSize size(int(std::lround(panel.width() * factor)), int(std::lround(panel.height() * factor)));
    if (size.isEmpty())
        return {};
    return panel.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// Turned clockwise about its centre into its bounding box; the corners the
// turn uncovers are white like the sheet.
QImage TurnedClockwise(const QImage &image, int degrees)
{
    if (degrees == 0 || image.isNull())
        return image;
    QTransform turn;
    turn.rotate(degrees);
    const QRect box = turn.mapRect(QRectF(image.rect())).toAlignedRect();
    QImage turned(box.size(), QImage::Format_RGB32);
    turned.fill(Qt::white);
    QPainter painter(&turned);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.translate(-box.topLeft());
    painter.setTransform(turn, true);
    painter.drawImage(0, 0, image);
    return turned;
}

}  // namespace

QImage ProductPageImage(const KitModel &model, const QImage &flattenedWithoutOverlay, const QImage &productPhoto)
{
    QImage sheet(model.sheetSize, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    if (!flattenedWithoutOverlay.isNull()) {
        const QImage panel = TurnedClockwise(
            Scaled(flattenedWithoutOverlay.convertToFormat(QImage::Format_RGB32), model.productScale),
            model.productTurnDegrees);
        MergeWithColourKey(sheet, panel, model.productPosition, std::nullopt);
    }
    if (!productPhoto.isNull())
        MergeWithColourKey(sheet, productPhoto.convertToFormat(QImage::Format_RGB32), {0, 0}, QColor(Qt::black));
    return sheet;
}

}  // namespace kq::panel
