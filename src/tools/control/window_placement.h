#pragma once

#include <QRect>
#include <QSize>

namespace kq {

// Two thirds of the screen, never smaller than 780 × 580, placed a sixth of
// the screen from its top-left corner: the chart needs the room.
QRect ThermometerGeometry(const QSize &screen);

}  // namespace kq
