#include "QtPrint.h"
#include "ErrorText.h"
#include "geometry/Mercator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(MercatorTest, ProjectsOntoTheSphereOfTheEarthRadius)
{
    EXPECT_EQ(MercatorX(0.0), 0.0);
    EXPECT_EQ(MercatorY(0.0), 0.0);
    EXPECT_DOUBLE_EQ(MercatorX(180.0), M_PI * 6378137.0);
    EXPECT_DOUBLE_EQ(MercatorX(-37.5), -37.5 * M_PI / 180.0 * 6378137.0);
    for (double lat : {-80.0, -45.5, 10.0, 55.75, 85.05112878}) {
        const double expected = std::log(std::tan(lat * M_PI / 360.0 + M_PI / 4.0)) * 6378137.0;
        EXPECT_NEAR(MercatorY(lat), expected, 1e-6) << lat;
        EXPECT_NEAR(MercatorY(-lat), -expected, 1e-6) << lat;
    }
    // The web Mercator square ends at this latitude, one half-circumference north.
    EXPECT_NEAR(MercatorY(85.0511287798066), 20037508.342789244, 1e-4);
}

TEST(MercatorTest, ThePolesBeyondAndOverflowGiveTheRuntimeErrors)
{
    const double north = MercatorY(90.0);
    EXPECT_TRUE(std::isfinite(north));
    EXPECT_GT(north, 2e8) << "a large but finite northing";

    EXPECT_EQ(ErrorText([] { MercatorY(-90.0); }), "Floating point division by zero");
    const double justBeyondNorth = std::nextafter(90.0, 91.0);
    const double justBeyondSouth = std::nextafter(-90.0, -91.0);
    for (double lat : {justBeyondNorth, 90.5, 135.0, justBeyondSouth, -90.5, -120.0})
        EXPECT_EQ(ErrorText([lat] { MercatorY(lat); }), "Invalid floating point operation") << lat;
    EXPECT_EQ(ErrorText([] { MercatorX(std::numeric_limits<double>::max()); }), "Floating point overflow");
}

TEST(MercatorTest, RoundPixelTakesHalvesToTheEvenNeighbour)
{
    struct Case {
        long double value;
        int32_t expected;
    };
    for (const Case& c : {Case{0.5L, 0}, Case{1.5L, 2}, Case{2.5L, 2}, Case{-0.5L, 0}, Case{-1.5L, -2},
                          Case{-2.5L, -2}, Case{2.4999L, 2}, Case{2.5001L, 3}, Case{-199.6L, -200},
                          Case{2147483647.4L, 2147483647}, Case{-2147483648.5L, -2147483648}}) {
        EXPECT_EQ(RoundPixel(c.value), c.expected) << static_cast<double>(c.value);
    }
}

TEST(MercatorTest, RoundPixelRefusesPositionsBeyond32Bits)
{
    for (long double v : {2147483647.5L, -2147483649.0L, 1e30L, static_cast<long double>(INFINITY),
                          static_cast<long double>(NAN)})
        EXPECT_EQ(ErrorText([v] { RoundPixel(v); }), "Invalid floating point operation") << static_cast<double>(v);
}

}  // namespace
