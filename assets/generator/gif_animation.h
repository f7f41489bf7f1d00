#pragma once

#include <QString>

class QImage;

namespace kq::assets {

// Writes image to path as a still GIF picture (Qt reads GIF but cannot write
// it). The palette is the image's 256 most used colours, so flat areas keep
// their exact colour (the white around a part and the black of an overlay
// are colour keys) and only smoothed edges move to their nearest colour.
// Returns an error text, empty on success; nothing is left on failure.
QString SaveGifPicture(const QImage &image, const QString &path);

// Renders the frames of source (an SVG drawing) to dataDir/output as a
// looping animated GIF, frameDelayMs apart. The frames are the elements
// "frame1", "frame2", ... in order, each drawn where it lies over the
// element "background" when there is one. Returns an error text, empty on
// success.
QString RenderAnimation(const QString &source, const QString &dataDir, const QString &output, int frameDelayMs);

}  // namespace kq::assets
