#pragma once

#include "panel/effects/effect_control.h"
#include "panel/effects/effect_settings.h"

#include <QString>
#include <QStringList>

// The processing records of the effects, from the effect name on, e.g.
// "Blur,10/20/110/20/110/80/10/80,10", and back.
namespace kq::panel {

QString EffectRecord(const Effect &effect);

struct ParsedEffect {
    EffectStatus status = EffectStatus::BadFields;  // Applied: effect holds it
    Effect effect;
};

// fieldsFromName: the record split at "," from the name on. Numbers are held
// to the controls' ranges; a rectangle cut must be a real rectangle.
ParsedEffect ParseEffectRecord(const QStringList &fieldsFromName);

}  // namespace kq::panel
