#include "QtPrint.h"
#include "ErrorText.h"
#include "Gradient.h"
#include "GuiApplication.h"
#include "workflow/DrawBorders.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);

TSingleMap Sheet(std::vector<TPixel> pixels, bool ok = true)
{
    TSingleMap sheet;
    sheet.IsOk = ok;
    sheet.Pixels = std::move(pixels);
    return sheet;
}

class DrawBordersTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureGuiApplication(); }

    void SetUp() override
    {
        ws.data.IndexMap.IsOk = true;
        ws.workingImage = original;
    }

    void add(TSingleMap sheet)
    {
        ws.data.GoodMapsCount += sheet.IsOk ? 1 : 0;
        ws.data.Maps.push_back(std::move(sheet));
    }

    QString errorOf(const BorderOptions& options) { return ErrorText([&] { DrawBorders(ws, options); }); }

    QRgb at(int x, int y) const { return ws.workingImage.pixel(x, y); }

    const QImage original = Gradient(100, 80);
    MemoryLog log;
    Workspace ws{log, "."};
};

TEST_F(DrawBordersTest, DrawsEveryUsableSheetAndEnablesUndoAndSave)
{
    add(Sheet({{10, 10}, {40, 10}, {40, 40}, {10, 40}}));
    add(Sheet({{50, 10}, {90, 10}, {90, 40}}, false));
    add(Sheet({}));
    add(Sheet({{60, 50}, {95, 75}, {60, 75}}));
    EXPECT_EQ(DrawBorders(ws, {"1", kRed, false}), StepOutcome::Completed);

    EXPECT_EQ(at(25, 10), kRed.rgb());
    EXPECT_EQ(at(70, 10), original.pixel(70, 10)) << "unusable sheets are skipped";
    EXPECT_EQ(at(60, 60), kRed.rgb());
    EXPECT_EQ(at(25, 25), original.pixel(25, 25));
    EXPECT_TRUE(log.lines().isEmpty());
    EXPECT_TRUE(ws.commands.enabled(Command::Undo));
    EXPECT_TRUE(ws.commands.enabled(Command::Save));
    EXPECT_EQ(ws.penWidth, 1);
}

TEST_F(DrawBordersTest, ANegativeWidthKeepsTheLastWidthAndZeroIsKept)
{
    add(Sheet({{10, 20}, {90, 20}, {90, 70}, {10, 70}}));
    const auto drawnWith = [&](Workspace& on, const QString& width) {
        on.workingImage = original;
        DrawBorders(on, {width, kRed, false});
        return on.workingImage;
    };
    Workspace fresh(log, ".");
    fresh.data = ws.data;
    EXPECT_EQ(drawnWith(fresh, "-1"), drawnWith(ws, "1")) << "1 until a width is set";
    const QImage wide = drawnWith(ws, "5");
    EXPECT_EQ(drawnWith(ws, "-3"), wide);
    EXPECT_EQ(ws.penWidth, 5);
    drawnWith(ws, "0");
    EXPECT_EQ(ws.penWidth, 0);
}

TEST_F(DrawBordersTest, ATextThatIsNotANumberDrawsNothing)
{
    add(Sheet({{10, 10}, {40, 10}, {40, 40}}));
    ws.penWidth = 4;
    for (const QString& text : {QString(""), QString(" 5"), QString("2.5"), QString("99999999999")}) {
        EXPECT_EQ(errorOf({text, kRed, true}), QStringLiteral("'%1' is not a valid integer value").arg(text));
        EXPECT_EQ(ws.workingImage, original);
        EXPECT_FALSE(ws.commands.enabled(Command::Undo));
        EXPECT_FALSE(ws.commands.enabled(Command::Save));
        EXPECT_EQ(ws.penWidth, 4);
    }
}

TEST_F(DrawBordersTest, WithoutAUsableIndexMapNothingHappens)
{
    add(Sheet({{10, 10}, {40, 10}, {40, 40}}));
    ws.data.IndexMap.IsOk = false;
    EXPECT_EQ(errorOf({"abc", kRed, false}), QString());
    EXPECT_EQ(ws.workingImage, original);
    ws.data.IndexMap.IsOk = true;
    ws.data.GoodMapsCount = 0;
    DrawBorders(ws, {"1", kRed, false});
    EXPECT_EQ(ws.workingImage, original);
    EXPECT_FALSE(ws.commands.enabled(Command::Undo));
}

TEST_F(DrawBordersTest, EveryCornerCountsBeyondTwentySeven)
{
    std::vector<TPixel> star;
    for (int k = 0; k < 60; ++k) {
        const double angle = k * 2 * M_PI / 60;
        const int radius = k % 2 ? 20 : 36;
        star.push_back({static_cast<int32_t>(std::lround(50 + radius * std::cos(angle))),
                        static_cast<int32_t>(std::lround(40 + radius * std::sin(angle)))});
    }
    add(Sheet(star));
    DrawBorders(ws, {"1", kRed, false});
    for (const TPixel& p : star)
        EXPECT_EQ(at(p.X, p.Y), kRed.rgb()) << p.X << ',' << p.Y;
}

}  // namespace
