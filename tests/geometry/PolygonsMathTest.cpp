#include "QtPrint.h"
#include "geometry/PolygonsMath.h"

#include <gtest/gtest.h>

namespace {

// The rectangle 50..60 N, 30..40 E, corners listed clockwise from the north-west.
const TPolygon kRect{{60, 30}, {60, 40}, {50, 40}, {50, 30}};

TEST(PointInPolygon, TheRectangleFollowsTheRayCastingRuleAndItsTolerances)
{
    struct {
        const char* what;
        TGeoPoint point;
        int expected;
    } const cases[] = {
        {"centre", {55, 35}, 1},
        {"east of it", {55, 45}, 0},
        {"north of it", {65, 35}, 0},
        {"west of it", {55, 25}, 0},
        {"on the north side", {60, 35}, 1},
        {"on the south side", {50, 35}, 1},
        {"on the east side", {55, 40}, 2},
        {"on the west side", {55, 30}, 2},
        {"north-west corner", {60, 30}, 2},
        {"north-east corner", {60, 40}, 2},
        {"south-east corner", {50, 40}, 2},
        {"south-west corner", {50, 30}, 2},
        {"within 1e-4 of the east side", {55, 39.99995}, 2},
        {"2e-4 from the east side", {55, 39.9998}, 1},
        {"within 1e-4 east of the west side", {55, 30.00005}, 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PointInPolygon(c.point, kRect), c.expected) << c.what;
}

TEST(PointInPolygon, DegeneratePolygonsContainNothing)
{
    EXPECT_EQ(PointInPolygon({55, 35}, TPolygon{}), 0);
    EXPECT_EQ(PointInPolygon({55, 35}, TPolygon{{55, 35}}), 0);
}

TEST(PointInPolygon, AConcavePolygonCountsEveryCrossing)
{
    // A "U" open to the north: its notch is outside.
    const TPolygon u{{10, 0}, {10, 3}, {0, 3}, {0, 2}, {9, 2}, {9, 1}, {0, 1}, {0, 0}};
    EXPECT_EQ(PointInPolygon({5, 0.5}, u), 1);
    EXPECT_EQ(PointInPolygon({5, 1.5}, u), 0);
    EXPECT_EQ(PointInPolygon({9.5, 1.5}, u), 1);
}

TEST(RayCrossSegment, ReportsEachKindOfMeeting)
{
    const TGeoPoint a{0, 0};
    const TGeoPoint b{0, 100};
    EXPECT_EQ(RayCrossSegment(a, b, {-1, 5}, {1, 5}), 1);     // crossed ahead
    EXPECT_EQ(RayCrossSegment(a, b, {-1, -5}, {1, -5}), -1);  // behind the start
    EXPECT_EQ(RayCrossSegment(a, b, {1, 5}, {2, 5}), -1);     // beside the ray's line
    EXPECT_EQ(RayCrossSegment(a, b, {0, 5}, {0, 9}), 0);      // parallel
    EXPECT_EQ(RayCrossSegment(a, b, {-1, 0}, {1, 0}), 2);     // the start lies on it
    EXPECT_EQ(RayCrossSegment(a, b, {0, 5}, {1, 5}), 1);      // an end of the segment counts
    EXPECT_EQ(RayCrossSegment(a, b, {3, 3}, {3, 3}), 0);      // zero length
}

TEST(RayCrossSegment, ParallelToleranceIsStrict)
{
    // den = -100 * dLat: 1e-8 of latitude is exactly the tolerance and goes on.
    const TGeoPoint a{0, 0};
    const TGeoPoint b{0, 100};
    EXPECT_EQ(RayCrossSegment(a, b, {0, 5}, {0.9e-8, 5}), 0);
    EXPECT_NE(RayCrossSegment(a, b, {-0.5e-8, 5}, {1.5e-8, 5}), 0);
}

}  // namespace
