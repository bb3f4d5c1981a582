// SPDX-License-Identifier: GPL-3.0-or-later
#include "MapFiles.h"
#include "QtPrint.h"
#include "geometry/PolygonsMath.h"

#include <gtest/gtest.h>

namespace {

TEST(PointInPolygon, FollowsTheRayCastingRuleAndItsTolerances)
{
    for (const QStringList& row : testfiles::Rows("geometry/point-in-rectangle.txt")) {
        const QStringList p = row[0].split(' ');
        EXPECT_EQ(PointInPolygon({p[0].toDouble(), p[1].toDouble()}, {{60, 30}, {60, 40}, {50, 40}, {50, 30}}), row[1].toInt()) << row[0].toStdString();
    }
    EXPECT_EQ(PointInPolygon({55, 35}, TPolygon{}), 0);
    EXPECT_EQ(PointInPolygon({55, 35}, TPolygon{{55, 35}}), 0);
    // A "U" open to the north counts every crossing: its notch is outside.
    const TPolygon u{{10, 0}, {10, 3}, {0, 3}, {0, 2}, {9, 2}, {9, 1}, {0, 1}, {0, 0}};
    EXPECT_EQ(PointInPolygon({5, 0.5}, u), 1);
    EXPECT_EQ(PointInPolygon({5, 1.5}, u), 0);
}

}  // namespace
