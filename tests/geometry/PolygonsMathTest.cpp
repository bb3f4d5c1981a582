// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtPrint.h"
#include "geometry/PolygonsMath.h"

#include <gtest/gtest.h>

namespace {

// The rectangle 50..60 N, 30..40 E: inside 1, outside 0, on an edge (within
// 1e-4 of longitude) 2; the north and south sides are parallel to the ray.
TEST(PointInPolygon, FollowsTheRayCastingRuleAndItsTolerances)
{
    const TPolygon rect{{60, 30}, {60, 40}, {50, 40}, {50, 30}};
    const std::pair<TGeoPoint, int> cases[] = {
        {{55, 35}, 1}, {{55, 45}, 0}, {{65, 35}, 0}, {{55, 25}, 0},
        {{60, 35}, 1}, {{50, 35}, 1},
        {{55, 40}, 2}, {{55, 30}, 2}, {{60, 30}, 2}, {{50, 40}, 2},
        {{55, 39.99995}, 2}, {{55, 39.9998}, 1}, {{55, 30.00005}, 2},
    };
    for (const auto& [point, expected] : cases)
        EXPECT_EQ(PointInPolygon(point, rect), expected) << point.Lat << ", " << point.Lon;
    EXPECT_EQ(PointInPolygon({55, 35}, TPolygon{}), 0);
    EXPECT_EQ(PointInPolygon({55, 35}, TPolygon{{55, 35}}), 0);
    // A "U" open to the north counts every crossing: its notch is outside.
    const TPolygon u{{10, 0}, {10, 3}, {0, 3}, {0, 2}, {9, 2}, {9, 1}, {0, 1}, {0, 0}};
    EXPECT_EQ(PointInPolygon({5, 0.5}, u), 1);
    EXPECT_EQ(PointInPolygon({5, 1.5}, u), 0);
}

}  // namespace
