// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of names that a run's log cannot show: the opacity alpha, the
// text's placement, the text of each name source and the view's scrolling.

#include "MapFiles.h"
#include "QtPrint.h"
#include "workflow/panel/NamePreview.h"

#include <gtest/gtest.h>

namespace {

TEST(OpacityAlpha, IsEightTimesThePositionLessOneAndZeroAtZero)
{
    for (auto [position, alpha] : {std::pair{0, 0}, {1, 7}, {24, 191}, {30, 239}, {32, 255}})
        EXPECT_EQ(OpacityAlpha(position), alpha) << position;
}

TEST(CenteredTextCorner, HalvesTruncateTowardZero)
{
    EXPECT_EQ(CenteredTextCorner({100, 50}, {10, 8}), (TPixel{95, 46}));
    EXPECT_EQ(CenteredTextCorner({100, 50}, {11, 7}), (TPixel{95, 47}));
    EXPECT_EQ(CenteredTextCorner({-3, -3}, {5, 4}), (TPixel{-5, -5}));
}

TSingleMap At(bool ok, TPixel center, const QString& name = {})
{
    TSingleMap sheet;
    sheet.IsOk = ok;
    sheet.NameCenter = center;
    sheet.MapName = name;
    return sheet;
}

TEST(NameText, ComesFromTheSourceAndTheCustomListCountsEverySheet)
{
    MapData data;
    data.Maps = {At(false, {}, "Skipped"), At(true, {}, "Alpha")};
    data.Maps[1].ImageFile = "a.jpg";
    data.CustomList = QStringList{"zero", "one"};
    for (auto [source, text] : {std::pair{kSourceMapName, "Alpha"}, {kSourceImageFile, "a.jpg"}, {kSourceCustomList, "one"}, {kNoNameSource, ""}})
        EXPECT_EQ(NameText(data, 1, source), text) << source;
}

// A 400 × 300 view with 17-pixel scroll bars: usable 383 × 283, halves 191 and 141.
TEST(ViewGeometry, CenterAndScrollFollowTheHalvesAndTheEnds)
{
    const auto view = [](int hRange, int vRange) { return ViewGeometry{400, 300, 17, 17, hRange, vRange, 300, 200}; };
    EXPECT_EQ(GetViewCenter(view(2000, 1000)), (TPixel{491, 341}));
    EXPECT_EQ(GetViewCenter(view(190, 1000)), std::nullopt) << "an image under half the view";
    for (const QStringList& row : testfiles::Rows("view-scroll.txt")) {
        const QStringList range = row[0].split(' '), point = row[1].split(' ');
        const auto p = ScrollToPoint(view(range[0].toInt(), range[1].toInt()), point[0].toInt(), point[1].toInt());
        EXPECT_EQ(p ? QStringLiteral("%1 %2").arg(p->horizontal).arg(p->vertical) : "-", row[2]) << row[1].toStdString();
    }
}

}  // namespace
