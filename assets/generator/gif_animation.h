#pragma once

#include <QString>

namespace kq::assets {

// Renders the frames of source (an SVG drawing) to dataDir/output as a
// looping animated GIF, frameDelayMs apart. The frames are the elements
// "frame1", "frame2", ... in order, each drawn where it lies over the
// element "background" when there is one. Returns an error text, empty on
// success.
QString RenderAnimation(const QString &source, const QString &dataDir, const QString &output, int frameDelayMs);

}  // namespace kq::assets
