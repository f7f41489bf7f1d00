#include "editors/flowchart/arrow_route.h"

#include "base/transfer_progress.h"
#include "editors/flowchart/flowchart.h"

#include <cstdlib>

namespace kq {
namespace {

// Down (or up) to 20 above the target, across, and down into it.
void EnterFromAbove(QPolygon &route, int x, QPoint target)
{
    route << QPoint(x, target.y() - 20) << QPoint(target.x(), target.y() - 20) << target;
}

}  // namespace

QPolygon NextArrowRoute(QRect sourceBox, QRect targetBox, const QList<QRect> &boxes)
{
    const int sx = sourceBox.x() + kBoxWidth / 2;
    const int sy = sourceBox.y() + kBoxHeight;
    const QPoint target(targetBox.x() + kBoxWidth / 2, targetBox.y());
    const int tx = target.x();
    const int ty = target.y();
    QPolygon route;
    route << QPoint(sx, sy);

    if (ty >= sy + 40) {
        if (std::abs(tx - sx) > 25)
            EnterFromAbove(route, sx, target);
        else
            route << target;
        return route;
    }
    int lane = 0;
    if (ty > sy) {
        if (std::abs(tx - sx) <= 50)
            return route << target;
        lane = tx > sx ? sx + 60 : sx - 60;
    } else if (std::abs(tx - sx) <= 50) {
        lane = sx >= tx ? sx + 60 : sx - 60;
    } else if (sx < tx) {
        bool boxOnTheLeft = false;
        for (const QRect &box : boxes)
            boxOnTheLeft |= box.x() < sourceBox.x() && ty - 50 <= box.y() && box.y() <= sy + 50;
        lane = boxOnTheLeft ? sx + 60 : sx - 60;
    } else {
        bool boxOnTheRight = false;
        for (const QRect &box : boxes)
            boxOnTheRight |= box.x() > sourceBox.x();
        lane = boxOnTheRight ? sx - 60 : sx + 60;
    }
    route << QPoint(sx, sy + 20) << QPoint(lane, sy + 20);
    EnterFromAbove(route, lane, target);
    return route;
}

QPolygon BranchArrowRoute(QRect sourceBox, QRect targetBox)
{
    const int sx = sourceBox.x() + kBoxWidth;
    int sy = sourceBox.y() + kBoxHeight / 2;
    const QPoint target(targetBox.x() + kBoxWidth / 2, targetBox.y());
    const int tx = target.x();
    const int ty = target.y();
    QPolygon route;
    route << QPoint(sx, sy);
    int leg = sx + 20;

    if (ty < sy + 25 && tx > sx + 55) {
        leg = sx + RoundHalfEven((tx - 50 - sx) / 2.0);
    } else if (ty < sy + 25 && sx - 30 <= tx && tx <= sx + 55) {
        // Round the target box: up between its bottom and the source, then
        // across to its left.
        const int level = ty + 50 + RoundHalfEven((sy - ty - 75) / 2.0);
        route << QPoint(sx + 20, sy) << QPoint(sx + 20, level);
        sy = level;
        leg = tx - 60;
    } else if (ty >= sy + 25 && tx > sx + 20) {
        return route << QPoint(tx, sy) << target;
    }
    route << QPoint(leg, sy);
    EnterFromAbove(route, leg, target);
    return route;
}

QPolygon ArrowHead(QPoint tip)
{
    return QPolygon {{tip, tip + QPoint(-8, -8), tip + QPoint(8, -8)}};
}

}  // namespace kq
