#pragma once

#include <QList>
#include <QPoint>
#include <QPolygon>
#include <QRect>

namespace kq {

// Orthogonal arrow routes on the sheet: points in, polyline out (start point
// first, the target point last). Boxes are the used boxes of the routine.

// From the source box's bottom centre to the target box's top centre.
QPolygon NextArrowRoute(QRect sourceBox, QRect targetBox, const QList<QRect> &boxes);
// From an if box's right centre to the target box's top centre.
QPolygon BranchArrowRoute(QRect sourceBox, QRect targetBox);
// The filled head: tip at the target point, corners 8 up and 8 to either side.
QPolygon ArrowHead(QPoint tip);

}  // namespace kq
