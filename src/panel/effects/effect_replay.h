#pragma once

#include "panel/effects/effect_control.h"

#include <QImage>
#include <QStringList>

namespace kq::panel {

// fieldsFromName: the processing record from the effect name on. image is
// changed only when Applied; a rectangle cut that misses the image is
// BadFields.
[[nodiscard]] EffectStatus ReplayEffect(QImage &image, const QStringList &fieldsFromName, EffectControl &control);

}  // namespace kq::panel
