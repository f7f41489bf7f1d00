#include "panel/effect_window/effect_window.h"

#include "panel/effects/effect_records.h"
#include "panel/effects/image_effects.h"

namespace kq::panel {

std::optional<AppliedEffect> ApplyQuickEffect(QuickEffect effect, const QImage &image, const QRect &selection)
{
    Effect chosen;
    switch (effect) {
    case QuickEffect::Gray:
        chosen = GrayEffect{};
        break;
    case QuickEffect::TurnRight:
        chosen = RotationEffect{{}, 90, false, false, Qt::black};
        break;
    case QuickEffect::TurnLeft:
        chosen = RotationEffect{{}, -90, false, false, Qt::black};
        break;
    case QuickEffect::Mirror:
        chosen = RotationEffect{{}, 0, true, false, Qt::black};
        break;
    case QuickEffect::RectangleCut:
    case QuickEffect::EllipseCut: {
        const QRect rect = CutRectangle(selection, image.size());
        if (selection.isNull() || rect.isEmpty())
            return std::nullopt;
        if (effect == QuickEffect::RectangleCut)
            chosen = RectangleCutEffect{rect};
        else
            chosen = EllipseCutEffect{rect};
        break;
    }
    }
    QImage result = image;
    UnattendedEffect control;
    if (!ApplyEffect(result, chosen, control))
        return std::nullopt;
    return AppliedEffect{result, {EffectRecord(chosen)}};
}

}  // namespace kq::panel
