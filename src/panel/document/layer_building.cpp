#include "panel/document/layer_building.h"

#include "panel/document/panel_document.h"
#include "panel/document/panel_picture.h"
#include "panel/effects/effect_replay.h"
#include "panel/model/panel_record.h"
#include "panel/text/text_layer.h"

#include <cmath>

namespace kq::panel {

std::optional<QImage> RenderTextPicture(const TextRecord &record, const KitModel &model)
{
    const double factor = TextFactor(model);
    const double width = std::round(record.measured.width() * factor);
    const double height = std::round(record.measured.height() * factor);
    if (width > kMaxPictureSide || height > kMaxPictureSide || width * height > double(kMaxPicturePixels))
        return std::nullopt;
    QImage picture = RenderTextLayer(record.description, record.measured, factor);
    if (picture.isNull())
        return std::nullopt;
    return picture.convertToFormat(QImage::Format_RGB32);
}

bool ReplayProcessingRecord(PanelLayer &layer, const QString &line)
{
    UnattendedEffect control;
    const QStringList fieldsFromName = RecordFields(line).mid(2);
    const QColor fill = layer.transparent ? layer.transparentColour : QColor(Qt::black);
    switch (ReplayEffect(layer.image, fieldsFromName, control, fill)) {
    case EffectStatus::Applied:
    case EffectStatus::UnknownName:
        return true;
    case EffectStatus::BadFields:
    case EffectStatus::Cancelled:
        break;
    }
    return false;
}

}  // namespace kq::panel
