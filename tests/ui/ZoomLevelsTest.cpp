// SPDX-License-Identifier: GPL-3.0-or-later
#include "MapFiles.h"
#include "ui/ZoomLevels.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(ZoomLevels, StepsBySquareRootOfTwoBetweenTheFitAnd800Percent)
{
    for (const QStringList& row : testfiles::Rows("zoom-levels.txt")) {
        const double zoom = row[0].toDouble(), fit = row[1].toDouble();
        EXPECT_NEAR(ZoomIn(zoom, fit), row[2].toDouble(), 1e-12) << zoom;
        EXPECT_NEAR(ZoomOut(zoom, fit), row[3].toDouble(), 1e-12) << zoom;
    }
}

TEST(ZoomLevels, FitShowsTheWholeImageButNeverEnlarges)
{
    EXPECT_DOUBLE_EQ(FitZoom({8000, 6000}, {800, 700}), 0.1);
    EXPECT_DOUBLE_EQ(FitZoom({500, 400}, {800, 700}), 1);
    EXPECT_DOUBLE_EQ(FitZoom({}, {800, 700}), 1);
    EXPECT_EQ(ZoomText(1 / std::sqrt(2.0)), QStringLiteral("71%"));
}

}  // namespace
