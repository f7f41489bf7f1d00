#pragma once

#include <QImage>

namespace kq::panel {

struct KitModel;

// The product page: the panel (flattened without the frame overlay, at full
// size) scaled, turned and laid on a white sheet of the model's sheet size,
// under the photo of the finished clock, whose black pixels let the panel
// show through. A null photo leaves the panel on the plain sheet.
QImage ProductPageImage(const KitModel &model, const QImage &flattenedWithoutOverlay, const QImage &productPhoto);

}  // namespace kq::panel
