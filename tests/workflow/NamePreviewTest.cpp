#include "QtPrint.h"
#include "Gradient.h"
#include "GuiApplication.h"
#include "imaging/AlphaText.h"
#include "workflow/NamePreview.h"

#include <gtest/gtest.h>

namespace {

class NamePreviewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureGuiApplication();
        font.setFamily("DejaVu Sans");
        font.setPixelSize(20);
        image = Gradient(160, 90);
        original = image.copy();
    }

    QFont font;
    const QColor blue{0, 0, 255};
    QImage image;
    QImage original;
    NamePreview preview;
};

TEST_F(NamePreviewTest, ShowRedrawHideLeavesTheImageAsBefore)
{
    preview.redraw(image, 255);
    EXPECT_EQ(image, original) << "redraw without a preview does nothing";
    EXPECT_FALSE(preview.shown());
    preview.show(image, "Sheet", {40, 30}, 239, font, blue);
    EXPECT_TRUE(preview.shown());
    EXPECT_NE(image, original);
    const QImage at239 = image.copy();

    preview.redraw(image, 7);
    EXPECT_NE(image, at239);
    preview.redraw(image, 0);
    EXPECT_EQ(image, original) << "each redraw starts from the clean background";
    preview.redraw(image, 239);
    EXPECT_EQ(image, at239);

    preview.hide(image);
    EXPECT_FALSE(preview.shown());
    EXPECT_EQ(image, original);
    preview.hide(image);
    EXPECT_EQ(image, original) << "hiding twice does nothing";

    preview.show(image, "First", {10, 10}, 255, font, blue);
    preview.show(image, "Second", {20, 15}, 255, font, blue);
    QImage onlySecond = original.copy();
    DrawAlphaText(onlySecond, font, blue, 255, 20, 15, "Second");
    EXPECT_EQ(image, onlySecond) << "a second show first takes away the first";
}

TEST_F(NamePreviewTest, AtTheEdgesOnlyThePixelsInsideAreKeptAndPutBack)
{
    const QSize box = TextBoxSize(font, "Sheet");
    const TPixel corners[] = {{-box.width() / 2, -box.height() / 2},
                              {image.width() - box.width() / 2, image.height() - box.height() / 2},
                              {-1000, 20},
                              {INT32_MAX - 3, INT32_MIN}};
    for (const TPixel& at : corners) {
        preview.show(image, "Sheet", at, 255, font, blue);
        EXPECT_TRUE(image.rect().contains(preview.changedRect()) || preview.changedRect().isEmpty());
        preview.redraw(image, 100);
        preview.hide(image);
        EXPECT_EQ(image, original) << at.X << "," << at.Y;
    }
}

TSingleMap At(bool ok, TPixel centre)
{
    TSingleMap sheet;
    sheet.IsOk = ok;
    sheet.NameCenter = centre;
    return sheet;
}

TEST(NearestSheet, PicksTheFirstOfTheNearestUsableSheetsWithinTheDiagonal)
{
    const std::vector<TSingleMap> spread{At(true, {0, 0}), At(false, {50, 50}), At(true, {60, 50}), At(true, {40, 50}),
                                         At(true, {61, 50})};
    const std::vector<TSingleMap> far{At(false, {0, 0}), At(true, {500, 500})};
    // Squares of 60000 overflow 32 bits.
    const std::vector<TSingleMap> large{At(true, {0, 0}), At(true, {120000, 0}), At(true, {59999, 0})};
    struct {
        const char* what;
        std::vector<TSingleMap> maps;
        QSize image;
        std::optional<TPixel> viewCentre;
        std::optional<std::size_t> expected;
    } const cases[] = {
        {"tie at 10: the earlier one; unusable skipped", spread, {100, 100}, TPixel{50, 50}, 2},
        {"near the first", spread, {100, 100}, TPixel{1, 1}, 0},
        {"no view centre", spread, {100, 100}, std::nullopt, 0},
        // 500² + 500² is not below the squared diagonal 300² + 400² = 250000.
        {"none nearer than the diagonal", far, {300, 400}, TPixel{0, 0}, 0},
        {"one within the diagonal", far, {300, 400}, TPixel{200, 200}, 1},
        {"large image, far east", large, {200000, 150000}, TPixel{120000, 1}, 1},
        {"large image, middle", large, {200000, 150000}, TPixel{60000, 60000}, 2},
        {"no sheets", {}, {100, 100}, TPixel{50, 50}, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NearestSheet(c.maps, c.image, c.viewCentre), c.expected) << c.what;
}

// A 400 × 300 view with 17-pixel scroll bars: usable 383 × 283, halves 191 and 141.
ViewGeometry View(int hRange, int vRange, int hPos = 0, int vPos = 0)
{
    return ViewGeometry{400, 300, 17, 17, hRange, vRange, hPos, vPos};
}

TEST(GetViewCenter, IsTheMiddleOfTheVisiblePartUnlessTheImageIsUnderHalfTheView)
{
    EXPECT_EQ(GetViewCenter(View(2000, 1000, 300, 200)), (TPixel{491, 341}));
    EXPECT_EQ(GetViewCenter(View(191, 141)), (TPixel{191, 141})) << "exactly half the view still works";
    EXPECT_EQ(GetViewCenter(View(190, 1000)), std::nullopt);
    EXPECT_EQ(GetViewCenter(View(1000, 140)), std::nullopt);
}

TEST(ScrollToPoint, CentresThePointAsFarAsTheEndsAllow)
{
    struct Case {
        const char* what;
        int x;
        int y;
        std::optional<ScrollPositions> expected;
        ViewGeometry view = View(2000, 1000);
    };
    const Case cases[] = {
        {"middle", 1000, 500, ScrollPositions{809, 359}},
        {"near the left and top", 190, 140, ScrollPositions{0, 0}},
        {"exactly half a view in", 191, 141, ScrollPositions{0, 0}},
        {"near the right and bottom", 1810, 860, ScrollPositions{2000, 1000}},
        {"exactly half a view from the end", 1809, 859, ScrollPositions{1618, 718}},
        {"on the far edges", 2000, 1000, ScrollPositions{2000, 1000}},
        {"on the near edges", 0, 0, ScrollPositions{0, 0}},
        {"negative", -1, 500, std::nullopt},
        {"beyond the range", 1000, 1001, std::nullopt},
        // 300 × 200: (150, 100) lies within half a view of both ends on each axis.
        {"the end rule wins on a small image", 150, 100, ScrollPositions{300, 200}, View(300, 200)},
    };
    for (const Case& c : cases) {
        const auto got = ScrollToPoint(c.view, c.x, c.y);
        ASSERT_EQ(got.has_value(), c.expected.has_value()) << c.what;
        if (got) {
            EXPECT_EQ(got->horizontal, c.expected->horizontal) << c.what;
            EXPECT_EQ(got->vertical, c.expected->vertical) << c.what;
        }
    }
}


class StartNamePreviewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureGuiApplication();
        ws.workingImage = Gradient(300, 200);
        original = ws.workingImage.copy();
        ws.data.Maps = {At(false, {20, 20}), At(true, {100, 50}), At(true, {250, 150})};
        ws.data.Maps[1].MapName = "Near";
        ws.data.Maps[2].MapName = "Far";
        ws.centersReady = true;
        style.font.setFamily("DejaVu Sans");
        style.font.setPixelSize(15);
        style.color = QColor(0, 0, 0);
    }

    MemoryLog log;
    Workspace ws{log, "."};
    NameStyle style;
    NamePreview preview;
    QImage original;
};

TEST_F(StartNamePreviewTest, ShowsTheNearestNameAtItsCentre)
{
    EXPECT_EQ(StartNamePreview(ws, preview, style, TPixel{240, 140}), (TPixel{250, 150}));
    ASSERT_TRUE(preview.shown());
    const QSize box = TextBoxSize(style.font, "Far");
    EXPECT_EQ(preview.changedRect(), QRect(250 - box.width() / 2, 150 - box.height() / 2, box.width(), box.height()));
    preview.hide(ws.workingImage);
    EXPECT_EQ(ws.workingImage, original);
    // Without a view centre the first sheet is shown, even when unusable.
    EXPECT_EQ(StartNamePreview(ws, preview, style, std::nullopt), (TPixel{20, 20}));
    EXPECT_TRUE(preview.shown());
}

TEST_F(StartNamePreviewTest, StaleCentresAnUnusableSourceOrNoSheetsShowNothing)
{
    ws.centersReady = false;
    EXPECT_EQ(StartNamePreview(ws, preview, style, TPixel{100, 50}), std::nullopt);
    EXPECT_FALSE(preview.shown());
    EXPECT_TRUE(log.lines().isEmpty());

    ws.centersReady = true;
    style.source = kSourceCustomList;
    for (int press = 0; press < 2; ++press)
        EXPECT_EQ(StartNamePreview(ws, preview, style, TPixel{100, 50}), std::nullopt);
    EXPECT_EQ(log.lines(), (QStringList{"Custom list was not generated", "Custom list was not generated"}));
    EXPECT_FALSE(preview.shown());
    EXPECT_EQ(ws.workingImage, original);

    style.source = kSourceMapName;
    ws.data.Maps.clear();  // as after Clear all
    EXPECT_EQ(StartNamePreview(ws, preview, style, TPixel{100, 50}), std::nullopt);
    EXPECT_FALSE(preview.shown());
}

}  // namespace
