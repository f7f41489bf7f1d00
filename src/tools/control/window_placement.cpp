#include "tools/control/window_placement.h"

#include <QtMath>

#include <algorithm>

namespace kq {

namespace {
constexpr int kMinimumWidth = 780;
constexpr int kMinimumHeight = 580;
}  // namespace

QRect ThermometerGeometry(const QSize &screen)
{
    const int width = std::max(kMinimumWidth, qRound(screen.width() * 2.0 / 3.0));
    const int height = std::max(kMinimumHeight, qRound(screen.height() * 2.0 / 3.0));
    return QRect(qRound(screen.width() / 6.0), qRound(screen.height() / 6.0), width, height);
}

}  // namespace kq
