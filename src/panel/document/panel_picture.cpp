#include "panel/document/panel_picture.h"

#include <QImageReader>

#include <algorithm>

namespace kq::panel {

std::optional<QImage> ReadPanelPicture(const QString &path)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > kMaxPictureSide || size.height() > kMaxPictureSide
        || qint64(size.width()) * size.height() > kMaxPicturePixels)
        return std::nullopt;
    QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    return image.convertToFormat(QImage::Format_RGB32);
}

void MergeWithColourKey(QImage &target, const QImage &source, QPoint position, std::optional<QColor> key)
{
    const QImage picture =
        source.format() == QImage::Format_RGB32 ? source : source.convertToFormat(QImage::Format_RGB32);
    const QRect area = QRect(position, picture.size()).intersected(target.rect());
    if (area.isEmpty())
        return;
    // RGB32 keeps 0xff in the top byte; compare the colour alone.
    const QRgb keyRgb = key ? (key->rgb() & 0xffffff) : 0;
    const int width = area.width();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto *out = reinterpret_cast<QRgb *>(target.scanLine(y)) + area.left();
        const auto *in =
            reinterpret_cast<const QRgb *>(picture.constScanLine(y - position.y())) + (area.left() - position.x());
        if (!key) {
            std::copy(in, in + width, out);
            continue;
        }
        for (int x = 0; x < width; ++x) {
            if ((in[x] & 0xffffff) != keyRgb)
                out[x] = in[x];
        }
    }
}

}  // namespace kq::panel
