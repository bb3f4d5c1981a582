// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ZoomLevels.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(ZoomLevels, StepsBySquareRootOfTwoBetweenTheFitAnd800Percent)
{
    const double r = std::sqrt(2.0);
    struct {
        double zoom, fit, in, out;
    } const cases[] = {
        {1, 0.1, r, 1 / r},
        {1 / r, 0.1, 1, 0.5},           // a level reached by arithmetic is not stepped over
        {0.1, 0.1, 0.125, 0.1},         // the fit is the floor, and off the levels
        {0.3, 0.25, r / 4, 0.25},
        {8, 0.1, 8, 4 * r},             // 800% is the ceiling
        {1, 1, r, 1},                   // an image that shows whole: nothing below actual size
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(ZoomIn(c.zoom, c.fit), c.in, 1e-12) << c.zoom;
        EXPECT_NEAR(ZoomOut(c.zoom, c.fit), c.out, 1e-12) << c.zoom;
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
