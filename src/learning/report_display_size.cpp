#include "learning/report_display_size.h"

#include <cmath>

namespace kq {

namespace {

int RoundToEven(double value)
{
    // nearbyint follows the default rounding mode, which is to nearest, ties to even.
    return static_cast<int>(std::nearbyint(value));
}

}  // namespace

QSize ReportDisplaySize(QSize picture, int across, int down)
{
    const int w = picture.width();
    const int h = picture.height();
    if (h < w)
        return w <= across ? picture : QSize(across, RoundToEven(static_cast<double>(h) / w * across));
    if (h <= down)
        return picture;
    return QSize(RoundToEven(static_cast<double>(w) / h * down), down);
}

}  // namespace kq
