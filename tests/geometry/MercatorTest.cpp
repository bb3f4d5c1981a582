// SPDX-License-Identifier: GPL-3.0-or-later
#include "ErrorText.h"
#include "MapFiles.h"
#include "QtPrint.h"
#include "geometry/Mercator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(Mercator, ProjectsOntoTheSphereOfTheEarthsRadius)
{
    EXPECT_DOUBLE_EQ(MercatorX(180.0), M_PI * 6378137.0);
    EXPECT_NEAR(MercatorY(85.0511287798066), 20037508.342789244, 1e-4) << "the web square's north edge";
    EXPECT_NEAR(MercatorY(-45.5), -std::log(std::tan(45.5 * M_PI / 360.0 + M_PI / 4.0)) * 6378137.0, 1e-6);
    EXPECT_GT(MercatorY(90.0), 2e8) << "large but finite";
    EXPECT_EQ(ErrorText([] { MercatorY(-90.0); }), "Floating point division by zero");
    for (double lat : {std::nextafter(90.0, 91.0), -90.5, 135.0})
        EXPECT_EQ(ErrorText([lat] { MercatorY(lat); }), "Invalid floating point operation") << lat;
    EXPECT_EQ(ErrorText([] { MercatorX(std::numeric_limits<double>::max()); }), "Floating point overflow");
}

TEST(RoundPixel, TakesHalvesToTheEvenNeighbourAndRefusesPositionsBeyond32Bits)
{
    for (const QStringList& row : testfiles::Rows("geometry/round-pixel.txt")) {
        const long double value = row[0] == "nan" ? static_cast<long double>(NAN) : row[0].toDouble();
        EXPECT_EQ(ErrorText([&] { EXPECT_EQ(RoundPixel(value), row[1].toInt()) << row[0].toStdString(); }),
                  row[1] == "-" ? "Invalid floating point operation" : "") << row[0].toStdString();
    }
}

}  // namespace
