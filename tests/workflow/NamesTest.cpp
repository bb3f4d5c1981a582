// The rules of names and their preview that a run's log cannot show: the
// opacity alpha, the text's placement, the sheet a press previews, and the
// preview putting back exactly the pixels it covered.

#include "Gradient.h"
#include "GuiApplication.h"
#include "QtPrint.h"
#include "imaging/AlphaText.h"
#include "workflow/NamePreview.h"

#include <gtest/gtest.h>

namespace {

TEST(OpacityAlpha, IsEightTimesThePositionLessOneAndZeroAtZero)
{
    for (auto [position, alpha] : {std::pair{0, 0}, {1, 7}, {24, 191}, {30, 239}, {32, 255}})
        EXPECT_EQ(OpacityAlpha(position), alpha) << position;
}

TEST(CentredTextCorner, HalvesTruncateTowardZero)
{
    EXPECT_EQ(CentredTextCorner({100, 50}, {10, 8}), (TPixel{95, 46}));
    EXPECT_EQ(CentredTextCorner({100, 50}, {11, 7}), (TPixel{95, 47}));
    EXPECT_EQ(CentredTextCorner({-3, -3}, {5, 4}), (TPixel{-5, -5}));
}

TSingleMap At(bool ok, TPixel centre, const QString& name = {})
{
    TSingleMap sheet;
    sheet.IsOk = ok;
    sheet.NameCenter = centre;
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

TEST(NearestSheet, IsTheFirstOfTheNearestUsableSheetsWithinTheDiagonal)
{
    const std::vector<TSingleMap> spread{At(true, {0, 0}), At(false, {50, 50}), At(true, {60, 50}), At(true, {40, 50})};
    const std::vector<TSingleMap> far{At(false, {0, 0}), At(true, {500, 500})};
    EXPECT_EQ(NearestSheet(spread, {100, 100}, TPixel{50, 50}), 2u) << "a tie: the earlier; unusable ones passed over";
    EXPECT_EQ(NearestSheet(spread, {100, 100}, TPixel{1, 1}), 0u);
    EXPECT_EQ(NearestSheet(spread, {100, 100}, std::nullopt), 0u);
    EXPECT_EQ(NearestSheet(far, {300, 400}, TPixel{0, 0}), 0u) << "500² + 500² is not below 300² + 400²";
    EXPECT_EQ(NearestSheet(far, {300, 400}, TPixel{200, 200}), 1u);
    EXPECT_EQ(NearestSheet({At(true, {0, 0}), At(true, {120000, 0})}, {200000, 9}, TPixel{120000, 1}), 1u) << "past 32 bits";
    EXPECT_EQ(NearestSheet({}, {100, 100}, TPixel{50, 50}), std::nullopt);
}

// A 400 × 300 view with 17-pixel scroll bars: usable 383 × 283, halves 191 and 141.
TEST(ViewGeometry, CentreAndScrollFollowTheHalvesAndTheEnds)
{
    const auto view = [](int hRange, int vRange) { return ViewGeometry{400, 300, 17, 17, hRange, vRange, 300, 200}; };
    EXPECT_EQ(GetViewCenter(view(2000, 1000)), (TPixel{491, 341}));
    EXPECT_EQ(GetViewCenter(view(190, 1000)), std::nullopt) << "an image under half the view";
    const auto scroll = [&](int x, int y, ViewGeometry v) {
        const auto p = ScrollToPoint(v, x, y);
        return p ? std::pair{p->horizontal, p->vertical} : std::pair{-1, -1};
    };
    EXPECT_EQ(scroll(1000, 500, view(2000, 1000)), std::pair(809, 359));
    EXPECT_EQ(scroll(191, 1860, view(2000, 2000)), std::pair(0, 2000)) << "held at either end";
    EXPECT_EQ(scroll(150, 100, view(300, 200)), std::pair(300, 200)) << "the far end wins";
    EXPECT_EQ(scroll(-1, 500, view(2000, 1000)), std::pair(-1, -1)) << "outside the image: no scrolling";
}

class NamePreviewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureGuiApplication();
        ws.workingImage = Gradient(300, 200);
        ws.data.Maps = {At(false, {20, 20}, "First"), At(true, {100, 50}, "Near"), At(true, {250, 150}, "Far")};
        ws.centersReady = true;
        style.font = QFont("DejaVu Sans");
        style.font.setPixelSize(20);
        style.color = Qt::blue;
    }

    MemoryLog log;
    Workspace ws{log, "."};
    NameStyle style;
    NamePreview preview;
    const QImage original = Gradient(300, 200);
};

TEST_F(NamePreviewTest, EveryStepStartsFromTheCoveredPixelsAndHidingPutsThemBack)
{
    EXPECT_EQ(StartNamePreview(ws, preview, style, TPixel{240, 140}), (TPixel{250, 150}));
    const QSize box = TextBoxSize(style.font, "Far");
    EXPECT_EQ(preview.changedRect(), QRect(250 - box.width() / 2, 150 - box.height() / 2, box.width(), box.height()));
    const QImage shown = ws.workingImage.copy();
    EXPECT_NE(shown, original);
    preview.redraw(ws.workingImage, 0);
    EXPECT_EQ(ws.workingImage, original);
    preview.redraw(ws.workingImage, OpacityAlpha(30));
    EXPECT_EQ(ws.workingImage, shown);
    preview.show(ws.workingImage, "Second", {20, 15}, 255, style.font, style.color);
    QImage onlySecond = original.copy();
    DrawAlphaText(onlySecond, style.font, style.color, 255, 20, 15, "Second");
    EXPECT_EQ(ws.workingImage, onlySecond) << "a second show takes the first away";
    for (const TPixel at : {TPixel{-10, -8}, TPixel{290, 190}, TPixel{INT32_MAX - 3, INT32_MIN}}) {
        preview.show(ws.workingImage, "Edge", at, 255, style.font, style.color);
        preview.redraw(ws.workingImage, 100);
        preview.hide(ws.workingImage);
        EXPECT_EQ(ws.workingImage, original) << at.X;
    }
    preview.hide(ws.workingImage);
    EXPECT_EQ(ws.workingImage, original);
}

TEST_F(NamePreviewTest, StaleCentresOrAnUnusableSourceShowNothing)
{
    ws.centersReady = false;
    EXPECT_EQ(StartNamePreview(ws, preview, style, TPixel{100, 50}), std::nullopt);
    ws.centersReady = true;
    style.source = kSourceCustomList;
    EXPECT_EQ(StartNamePreview(ws, preview, style, TPixel{100, 50}), std::nullopt);
    EXPECT_EQ(StartNamePreview(ws, preview, style, TPixel{100, 50}), std::nullopt);
    EXPECT_EQ(log.lines(), (QStringList{"Custom list was not generated", "Custom list was not generated"}));
    EXPECT_FALSE(preview.shown());
    EXPECT_EQ(ws.workingImage, original);
}

}  // namespace
