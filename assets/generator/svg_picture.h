#pragma once

#include <QString>
#include <QStringList>

namespace kq::assets {

// Renders source (an SVG drawing) to dataDir/output in the format the output's
// suffix names. Each element id also gives a picture of its own: the part of
// the drawing under that element's bounds, saved beside the output as
// "<id>.<suffix>" (the menu's clickable pictures are cut from their page this
// way, so they match the page around them exactly). Returns an error text,
// empty on success.
QString RenderPicture(const QString &source, const QString &dataDir, const QString &output,
                      const QStringList &elementIds);

}  // namespace kq::assets
