#pragma once

#include "panel/effects/effect_control.h"

#include <QColor>
#include <QImage>
#include <QStringList>

namespace kq::panel {

// fieldsFromName: the processing record from the effect name on. image is
// changed only when Applied; a rectangle cut that misses the image is
// BadFields. A rotation fills the corners it uncovers with uncoveredFill: a
// layer's transparent colour while its transparency is on, as the rotation
// page fills them.
[[nodiscard]] EffectStatus ReplayEffect(QImage &image, const QStringList &fieldsFromName, EffectControl &control,
                                        const QColor &uncoveredFill = Qt::black);

}  // namespace kq::panel
