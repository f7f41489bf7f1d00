#include "base/transfer_progress.h"

#include <algorithm>
#include <cmath>

namespace kq {

int RoundHalfEven(double value)
{
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction > 0.5)
        return int(floor) + 1;
    if (fraction < 0.5)
        return int(floor);
    return std::fmod(floor, 2.0) == 0.0 ? int(floor) : int(floor) + 1;
}

int ProgressStep(int itemCount)
{
    return itemCount > 0 ? RoundHalfEven(double(kProgressMaximum) / itemCount) : 0;
}

int ProgressAfter(int sent, int itemCount)
{
    return std::min(kProgressMaximum, sent * ProgressStep(itemCount));
}

QPoint CentredTopLeft(const QRect &caller, const QSize &size)
{
    return {caller.left() + RoundHalfEven((caller.width() - size.width()) / 2.0),
            caller.top() + RoundHalfEven((caller.height() - size.height()) / 2.0)};
}

}  // namespace kq
