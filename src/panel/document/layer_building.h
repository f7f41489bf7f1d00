#pragma once

#include "panel/model/kit_model.h"

#include <QImage>
#include <QString>

#include <optional>

// Rebuilding layer pictures from their records, shared by loading a panel
// file and editing a text layer.
namespace kq::panel {

struct PanelLayer;
struct TextRecord;

// The text layer's picture at the model's text factor; nullopt when its size
// would be absurd (a damaged record must not allocate gigabytes).
std::optional<QImage> RenderTextPicture(const TextRecord &record, const KitModel &model);

// Applies the processing record line ("n,加工,<name>,...") to the picture of
// layer; a rotation fills what it uncovers as the rotation page did, with the
// transparent colour while the layer's transparency is on. Unknown effect
// names leave it as it is; false when the record's fields are damaged.
[[nodiscard]] bool ReplayProcessingRecord(PanelLayer &layer, const QString &line);

}  // namespace kq::panel
