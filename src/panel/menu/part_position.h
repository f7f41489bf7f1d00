#pragma once

#include <QPoint>
#include <QString>

namespace kq::panel {

struct KitModel;

// Where a new part from the parts picker is placed, in document pixels, by
// the model and the part's file name (with or without folder). Parts whose
// models place them by number but whose name is not one go where the small
// numbers go.
QPoint PresetPartPosition(const KitModel &model, const QString &fileName);

}  // namespace kq::panel
