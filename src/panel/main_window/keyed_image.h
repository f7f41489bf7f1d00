#pragma once

#include <QColor>
#include <QImage>
#include <QSize>

namespace kq::panel {

// A layer image ready for drawing on screen: pixels of exactly the
// transparent colour become see-through when transparency is on, then the
// image is smoothed down to the displayed size (empty size: kept).
QImage KeyedImage(const QImage &image, bool transparent, const QColor &transparentColour, QSize shownSize = {});

}  // namespace kq::panel
