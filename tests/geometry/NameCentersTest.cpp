#include "QtPrint.h"
#include "ErrorText.h"
#include "geometry/NameCenters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using Corners = std::vector<TPixel>;

struct CentreCase {
    const char* what;
    Corners corners;
    TPixel mean;
    TPixel barycenter;
};

class WorkedCentres : public ::testing::TestWithParam<CentreCase> {};

TEST_P(WorkedCentres, MeanAndBarycenter)
{
    const CentreCase& c = GetParam();
    EXPECT_EQ(MeanCenter(c.corners), c.mean) << c.what;
    EXPECT_EQ(BarycenterCenter(c.corners), c.barycenter) << c.what;
}

TEST_P(WorkedCentres, ReversedCornersGiveTheSameCentres)
{
    const CentreCase& c = GetParam();
    Corners reversed = c.corners;
    std::reverse(reversed.begin(), reversed.end());
    EXPECT_EQ(MeanCenter(reversed), c.mean) << c.what;
    EXPECT_EQ(BarycenterCenter(reversed), c.barycenter) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WorkedCentres,
    ::testing::Values(
        // y = 2.5 for both methods: the half goes to the even 2, not up.
        CentreCase{"rectangle", {{0, 0}, {10, 0}, {10, 5}, {0, 5}}, {5, 2}, {5, 2}},
        // mean y = 3; barycentre A = 48, y = 2.5.
        CentreCase{"trapezoid", {{0, 0}, {12, 0}, {8, 6}, {4, 6}}, {6, 3}, {6, 2}},
        // The same trapezoid listed the other way round: A = -48.
        CentreCase{"trapezoid reversed", {{4, 6}, {8, 6}, {12, 0}, {0, 0}}, {6, 3}, {6, 2}},
        // mean y = 105.5 goes to 106; barycentre (174.778, 105.474).
        CentreCase{"skewed sheet", {{100, 40}, {260, 52}, {250, 170}, {90, 160}}, {175, 106}, {175, 105}},
        // -2.5 goes to -2, 3.5 to 4.
        CentreCase{"negative half", {{-5, -5}, {0, -5}, {0, 0}, {-5, 0}}, {-2, -2}, {-2, -2}},
        CentreCase{"odd half", {{0, 0}, {7, 0}, {7, 7}, {0, 7}}, {4, 4}, {4, 4}},
        // Products such as 90001·60001 exceed 32 bits; the centroid is
        // (30000.33, 20000.33) and the mean the same.
        CentreCase{"triangle past 46340", {{0, 0}, {90001, 0}, {0, 60001}}, {30000, 20000}, {30000, 20000}},
        CentreCase{"far from the origin",
                   {{1000000, -2000000}, {1090001, -2000000}, {1000000, -1939999}},
                   {1030000, -1980000},
                   {1030000, -1980000}}));

TEST(Centres, ZeroCornersOrZeroAreaStopWithTheRuntimeErrors)
{
    struct {
        const char* what;
        Corners corners;
        const char* message;
    } const cases[] = {
        {"no corners", {}, "Invalid floating point operation"},
        {"one corner", {{3, 4}}, "Invalid floating point operation"},
        {"two corners", {{0, 0}, {4, 0}}, "Invalid floating point operation"},
        {"on one line", {{0, 0}, {5, 5}, {10, 10}}, "Invalid floating point operation"},
        // The two loops cancel (A = 0) but the X moment is -8.
        {"bow tie", {{0, 0}, {2, 2}, {2, 0}, {0, 2}}, "Floating point division by zero"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorText([&] { BarycenterCenter(c.corners); }), c.message) << c.what;
    EXPECT_EQ(ErrorText([] { MeanCenter(Corners{}); }), "Invalid floating point operation");
}

TEST(MeanCenter, ExtremeCoordinatesStayExact)
{
    const Corners corners{{INT32_MAX, INT32_MIN}, {INT32_MAX, INT32_MIN}};
    EXPECT_EQ(MeanCenter(corners), (TPixel{INT32_MAX, INT32_MIN}));
}

}  // namespace
