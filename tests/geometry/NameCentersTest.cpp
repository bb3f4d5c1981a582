// SPDX-License-Identifier: GPL-3.0-or-later
#include "ErrorText.h"
#include "MapFiles.h"
#include "QtPrint.h"
#include "geometry/NameCenters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using Corners = std::vector<TPixel>;

Corners Pixels(const QString& text)
{
    const QStringList n = text.split(' ');
    Corners pixels;
    for (qsizetype k = 0; k + 1 < n.size(); k += 2)
        pixels.push_back({n[k].toInt(), n[k + 1].toInt()});
    return pixels;
}

// Both methods, the corners in either order.
TEST(Centers, MeanAndBarycenterInEitherCornerOrder)
{
    for (const QStringList& row : testfiles::Rows("geometry/centers.txt")) {
        Corners corners = Pixels(row[0]);
        for (int pass = 0; pass < 2; ++pass) {
            EXPECT_EQ(MeanCenter(corners), Pixels(row[1]).at(0)) << row[0].toStdString();
            EXPECT_EQ(BarycenterCenter(corners), Pixels(row[2]).at(0)) << row[0].toStdString();
            std::reverse(corners.begin(), corners.end());
        }
    }
}

TEST(Centers, NoCornersOrNoAreaStopWithTheRuntimesErrors)
{
    EXPECT_EQ(ErrorText([] { MeanCenter(Corners{}); }), "Invalid floating point operation");
    EXPECT_EQ(ErrorText([] { BarycenterCenter(Corners{{0, 0}, {4, 0}}); }), "Invalid floating point operation");
    EXPECT_EQ(ErrorText([] { BarycenterCenter(Corners{{0, 0}, {5, 5}, {10, 10}}); }), "Invalid floating point operation");
    // A bow tie: its two loops cancel (A = 0), its X moment is -8.
    EXPECT_EQ(ErrorText([] { BarycenterCenter(Corners{{0, 0}, {2, 2}, {2, 0}, {0, 2}}); }), "Floating point division by zero");
}

}  // namespace
