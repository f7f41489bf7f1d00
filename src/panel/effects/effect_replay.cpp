#include "panel/effects/effect_replay.h"

#include "panel/effects/effect_records.h"
#include "panel/effects/image_effects.h"

namespace kq::panel {

EffectStatus ReplayEffect(QImage &image, const QStringList &fieldsFromName, EffectControl &control,
                          const QColor &uncoveredFill)
{
    ParsedEffect parsed = ParseEffectRecord(fieldsFromName);
    if (parsed.status != EffectStatus::Applied)
        return parsed.status;
    if (const auto *cut = std::get_if<RectangleCutEffect>(&parsed.effect);
        cut && CutRectangle(cut->rect, image.size()).isEmpty())
        return EffectStatus::BadFields;
    if (auto *rotation = std::get_if<RotationEffect>(&parsed.effect))
        rotation->fill = uncoveredFill;
    if (image.isNull())
        return EffectStatus::BadFields;
    return ApplyEffect(image, parsed.effect, control) ? EffectStatus::Applied : EffectStatus::Cancelled;
}

}  // namespace kq::panel
