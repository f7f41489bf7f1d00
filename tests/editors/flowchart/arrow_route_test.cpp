#include "editors/flowchart/arrow_route.h"

#include <gtest/gtest.h>

namespace kq::testing {
namespace {

QRect BoxRect(int x, int y)
{
    return {x, y, 100, 50};
}

struct RouteCase {
    const char *name;
    QRect source;
    QRect target;
    QList<QRect> others;
    QPolygon route;
};

TEST(ArrowRoute, NextArrowCases)
{
    // Source at (100, 100): bottom centre (150, 150).
    const RouteCase cases[] = {
        {"straight below", BoxRect(100, 100), BoxRect(120, 190), {}, QPolygon {{{150, 150}, {170, 190}}}},
        {"below, off to the side",
         BoxRect(100, 100),
         BoxRect(300, 200),
         {},
         QPolygon {{{150, 150}, {150, 180}, {350, 180}, {350, 200}}}},
        {"just below, close", BoxRect(100, 100), BoxRect(140, 170), {}, QPolygon {{{150, 150}, {190, 170}}}},
        {"just below, to the right",
         BoxRect(100, 100),
         BoxRect(300, 170),
         {},
         QPolygon {{{150, 150}, {150, 170}, {210, 170}, {210, 150}, {350, 150}, {350, 170}}}},
        {"just below, to the left",
         BoxRect(300, 100),
         BoxRect(100, 170),
         {},
         QPolygon {{{350, 150}, {350, 170}, {290, 170}, {290, 150}, {150, 150}, {150, 170}}}},
        {"above, level",
         BoxRect(100, 300),
         BoxRect(100, 100),
         {},
         QPolygon {{{150, 350}, {150, 370}, {210, 370}, {210, 80}, {150, 80}, {150, 100}}}},
        {"above, a little right",
         BoxRect(100, 300),
         BoxRect(140, 100),
         {},
         QPolygon {{{150, 350}, {150, 370}, {90, 370}, {90, 80}, {190, 80}, {190, 100}}}},
        {"above right, nothing on the left",
         BoxRect(100, 300),
         BoxRect(400, 100),
         {BoxRect(500, 200)},
         QPolygon {{{150, 350}, {150, 370}, {90, 370}, {90, 80}, {450, 80}, {450, 100}}}},
        {"above right, a box on the left",
         BoxRect(100, 300),
         BoxRect(400, 100),
         {BoxRect(0, 200)},
         QPolygon {{{150, 350}, {150, 370}, {210, 370}, {210, 80}, {450, 80}, {450, 100}}}},
        {"above right, the box on the left too high",
         BoxRect(100, 300),
         BoxRect(400, 100),
         {BoxRect(0, 40)},
         QPolygon {{{150, 350}, {150, 370}, {90, 370}, {90, 80}, {450, 80}, {450, 100}}}},
        {"above left, a box on the right",
         BoxRect(400, 300),
         BoxRect(100, 100),
         {BoxRect(600, 500)},
         QPolygon {{{450, 350}, {450, 370}, {390, 370}, {390, 80}, {150, 80}, {150, 100}}}},
        {"above left, nothing on the right",
         BoxRect(400, 300),
         BoxRect(100, 100),
         {BoxRect(0, 500)},
         QPolygon {{{450, 350}, {450, 370}, {510, 370}, {510, 80}, {150, 80}, {150, 100}}}},
    };
    for (const RouteCase &c : cases) {
        QList<QRect> boxes = c.others;
        boxes << c.source << c.target;
        EXPECT_EQ(NextArrowRoute(c.source, c.target, boxes), c.route) << c.name;
    }
}

TEST(ArrowRoute, BranchArrowCases)
{
    // Source at (100, 100): right centre (200, 125).
    const RouteCase cases[] = {
        {"below right", BoxRect(100, 100), BoxRect(200, 200), {}, QPolygon {{{200, 125}, {250, 125}, {250, 200}}}},
        {"below, under the box",
         BoxRect(100, 100),
         BoxRect(100, 200),
         {},
         QPolygon {{{200, 125}, {220, 125}, {220, 180}, {150, 180}, {150, 200}}}},
        {"level, far right",
         BoxRect(100, 100),
         BoxRect(400, 100),
         {},
         // leg halfway to the target's left edge: 200 + round(200 / 2)
         QPolygon {{{200, 125}, {300, 125}, {300, 80}, {450, 80}, {450, 100}}}},
        {"level, far right, half to even",
         BoxRect(100, 100),
         BoxRect(401, 100),
         {},
         QPolygon {{{200, 125}, {300, 125}, {300, 80}, {451, 80}, {451, 100}}}},
        {"above, near",
         BoxRect(100, 300),
         BoxRect(130, 100),
         {},
         // level 100 + 50 + round((325 - 100 - 75) / 2) = 225
         QPolygon {{{200, 325}, {220, 325}, {220, 225}, {120, 225}, {120, 80}, {180, 80}, {180, 100}}}},
        {"above, far left",
         BoxRect(500, 300),
         BoxRect(100, 100),
         {},
         QPolygon {{{600, 325}, {620, 325}, {620, 80}, {150, 80}, {150, 100}}}},
    };
    for (const RouteCase &c : cases)
        EXPECT_EQ(BranchArrowRoute(c.source, c.target), c.route) << c.name;
}

TEST(ArrowRoute, HeadPointsDownAtTheTarget)
{
    EXPECT_EQ(ArrowHead({50, 80}), QPolygon({{50, 80}, {42, 72}, {58, 72}}));
}

}  // namespace
}  // namespace kq::testing
