// SPDX-License-Identifier: GPL-3.0-or-later
#include "ErrorText.h"
#include "QtPrint.h"
#include "geometry/NameCenters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using Corners = std::vector<TPixel>;

struct CenterCase {
    Corners corners;
    TPixel mean;
    TPixel barycenter;
};

class Centers : public ::testing::TestWithParam<CenterCase> {};

// Both methods, the corners in either order; halves go to the even neighbour.
TEST_P(Centers, MeanAndBarycenterInEitherCornerOrder)
{
    Corners corners = GetParam().corners;
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_EQ(MeanCenter(corners), GetParam().mean);
        EXPECT_EQ(BarycenterCenter(corners), GetParam().barycenter);
        std::reverse(corners.begin(), corners.end());
    }
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, Centers,
    ::testing::Values(CenterCase{{{0, 0}, {10, 0}, {10, 5}, {0, 5}}, {5, 2}, {5, 2}},                   // y = 2.5 both
                      CenterCase{{{0, 0}, {12, 0}, {8, 6}, {4, 6}}, {6, 3}, {6, 2}},                    // A = 48, y = 2.5
                      CenterCase{{{100, 40}, {260, 52}, {250, 170}, {90, 160}}, {175, 106}, {175, 105}},  // 105.5; 174.778, 105.474
                      CenterCase{{{-5, -5}, {0, -5}, {0, 0}, {-5, 0}}, {-2, -2}, {-2, -2}},             // -2.5
                      CenterCase{{{0, 0}, {7, 0}, {7, 7}, {0, 7}}, {4, 4}, {4, 4}},                     // 3.5
                      CenterCase{{{0, 0}, {90001, 0}, {0, 60001}}, {30000, 20000}, {30000, 20000}}));   // products past 32 bits

TEST(Centers, NoCornersOrNoAreaStopWithTheRuntimesErrors)
{
    EXPECT_EQ(ErrorText([] { MeanCenter(Corners{}); }), "Invalid floating point operation");
    EXPECT_EQ(ErrorText([] { BarycenterCenter(Corners{{0, 0}, {4, 0}}); }), "Invalid floating point operation");
    EXPECT_EQ(ErrorText([] { BarycenterCenter(Corners{{0, 0}, {5, 5}, {10, 10}}); }), "Invalid floating point operation");
    // A bow tie: its two loops cancel (A = 0), its X moment is -8.
    EXPECT_EQ(ErrorText([] { BarycenterCenter(Corners{{0, 0}, {2, 2}, {2, 0}, {0, 2}}); }), "Floating point division by zero");
}

}  // namespace
