#include "panel/main_window/keyed_image.h"

namespace kq::panel {

QImage KeyedImage(const QImage &image, bool transparent, const QColor &transparentColour, QSize shownSize)
{
    if (image.isNull())
        return {};
    // Keying before scaling: the smoothing would otherwise mix the key
    // colour into its neighbours and no pixel would match it exactly.
    QImage keyed = image.convertToFormat(QImage::Format_ARGB32);
    if (transparent) {
        const QRgb key = transparentColour.rgb() | 0xff000000u;
        for (int y = 0; y < keyed.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(keyed.scanLine(y));
            for (int x = 0; x < keyed.width(); ++x) {
                if ((line[x] | 0xff000000u) == key)
                    line[x] = 0;
            }
        }
    }
    if (shownSize.isEmpty() || shownSize == keyed.size())
        return keyed;
    return keyed.scaled(shownSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace kq::panel
