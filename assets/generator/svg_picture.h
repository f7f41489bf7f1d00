#pragma once

#include <QSize>
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

// Renders the element elementId of source alone, scaled so that its larger
// side takes size pixels, on white with a thin white margin: a picture of
// just that figure (a panel part cut from a sheet of figures).
QString RenderElement(const QString &source, const QString &elementId, int size, const QString &dataDir,
                      const QString &output);

// Renders the middle size-sized area of source at the drawing's own scale: one
// large pattern drawing gives pictures of several sizes with the same look.
QString RenderCentre(const QString &source, QSize size, const QString &dataDir, const QString &output);

// Renders the whole of source scaled to a square of size pixels, keeping its
// transparency, as a PNG file at path: a desktop icon.
QString RenderIcon(const QString &source, int size, const QString &path);

}  // namespace kq::assets
