#pragma once

#include "panel/effects/effect_control.h"
#include "panel/effects/effect_settings.h"

#include <QImage>

namespace kq::panel {

// Applies effect to image (made RGB32). False, with image unchanged, when the
// control asked to stop, the image is null or a cut rectangle misses it.
[[nodiscard]] bool ApplyEffect(QImage &image, const Effect &effect, EffectControl &control);

// The part of the image a rectangle cut keeps (empty when it misses).
QRect CutRectangle(const QRect &rect, QSize image);

}  // namespace kq::panel
