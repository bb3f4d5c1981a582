#include "QtPrint.h"
#include "Gradient.h"
#include "GuiApplication.h"
#include "imaging/AlphaText.h"
#include "workflow/DrawNames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

TSingleMap Sheet(bool ok, const QString& name, TPixel centre)
{
    TSingleMap sheet;
    sheet.IsOk = ok;
    sheet.MapName = name;
    sheet.FileName = name + ".map";
    sheet.ImageFile = name + ".jpg";
    sheet.NameCenter = centre;
    return sheet;
}

class DrawNamesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureGuiApplication();
        ws.data.IndexMap.IsOk = true;
        ws.data.Maps = {Sheet(false, "Skipped", {0, 0}), Sheet(true, "Alpha", {60, 40}),
                        Sheet(true, "Beta", {-175, 105})};
        ws.data.GoodMapsCount = 2;
        ws.workingImage = Gradient(200, 120);
        ws.commands.apply(Transition::PointsCalculated);
        style.font.setFamily("DejaVu Sans");
        style.font.setPixelSize(13);
        style.color = QColor(255, 0, 0);
    }

    bool enabled(Command c) const { return ws.commands.enabled(c); }

    MemoryLog log;
    Workspace ws{log, "."};
    NameStyle style;
};

TEST(OpacityAlpha, IsEightTimesThePositionLessOne)
{
    const std::pair<int, int> cases[] = {{0, 0}, {1, 7}, {24, 191}, {30, 239}, {32, 255}, {-3, 0}, {40, 255}};
    for (auto [position, alpha] : cases)
        EXPECT_EQ(OpacityAlpha(position), alpha) << position;
}

TEST(CentredTextCorner, HalvesTruncateTowardZero)
{
    struct Case {
        TPixel centre;
        QSize size;
        TPixel corner;
    };
    const Case cases[] = {
        {{100, 50}, {10, 8}, {95, 46}},   // even: centre − w/2
        {{100, 50}, {11, 7}, {95, 47}},   // odd: centre − (w − 1)/2
        {{-3, -3}, {5, 4}, {-5, -5}},     // negative centres too
        {{100, 50}, {0, 15}, {100, 43}},  // the empty text
        {{INT32_MIN, INT32_MAX}, {9, -9}, {INT32_MIN, INT32_MAX}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CentredTextCorner(c.centre, c.size), c.corner) << c.centre.X << "," << c.size.width();
}

TEST_F(DrawNamesTest, NameTextComesFromTheChosenSource)
{
    ws.data.CustomList = QStringList{"zero", "one", "two"};
    EXPECT_EQ(NameText(ws.data, 1, kSourceMapName), "Alpha");
    EXPECT_EQ(NameText(ws.data, 1, kSourceFileName), "Alpha.map");
    EXPECT_EQ(NameText(ws.data, 1, kSourceImageFile), "Alpha.jpg");
    EXPECT_EQ(NameText(ws.data, 1, kSourceCustomList), "one") << "unusable sheets count";
    EXPECT_EQ(NameText(ws.data, 2, kSourceCustomList), "two");
    EXPECT_EQ(NameText(ws.data, 1, kNoNameSource), "");
}

TEST_F(DrawNamesTest, CustomListProblemsStopBeforeDrawing)
{
    style.source = kSourceCustomList;
    const QImage before = ws.workingImage;
    struct Case {
        std::optional<QStringList> list;
        QString message;
    };
    const Case cases[] = {
        {std::nullopt, "Custom list was not generated"},
        {QStringList{"a", "b"}, "Size of custom list does not match maps count"},
        {QStringList{"a", "b", "c", "d"}, "Size of custom list does not match maps count"},
    };
    for (const Case& c : cases) {
        ws.data.CustomList = c.list;
        const qsizetype lines = log.lines().size();
        EXPECT_EQ(DrawNames(ws, style), StepOutcome::Stopped);
        EXPECT_EQ(log.lines().mid(lines), QStringList{c.message});
    }
    ws.data.IndexMap.IsOk = false;
    ws.data.CustomList = std::nullopt;  // not even checked
    EXPECT_EQ(DrawNames(ws, style), StepOutcome::Stopped);
    EXPECT_EQ(log.lines().size(), 3);
    EXPECT_EQ(log.pendingEventCalls(), 0);
    EXPECT_EQ(ws.workingImage, before);
    EXPECT_FALSE(enabled(Command::Undo));
    EXPECT_FALSE(enabled(Command::Save));
}

TEST_F(DrawNamesTest, LogsEveryUsableCentreAndEnablesUndoAndSave)
{
    ws.data.CustomList = QStringList{"zero", "one", "two"};
    style.source = kSourceCustomList;
    EXPECT_EQ(DrawNames(ws, style), StepOutcome::Completed);
    EXPECT_EQ(log.lines(), (QStringList{"Drawing...", "60, 40", "-175, 105", "Done"}));
    EXPECT_EQ(log.pendingEventCalls(), 1);
    EXPECT_TRUE(enabled(Command::Undo));
    EXPECT_TRUE(enabled(Command::Save));
    EXPECT_TRUE(enabled(Command::Names)) << "names can be drawn again";

    style.opacityPosition = 0;
    const QImage before = ws.workingImage;
    EXPECT_EQ(DrawNames(ws, style), StepOutcome::Completed);
    EXPECT_EQ(log.lines().size(), 8) << "opacity 0 still logs";
    EXPECT_EQ(ws.workingImage, before);
}

TEST_F(DrawNamesTest, EachNameIsCentredOnItsSheet)
{
    ws.data.Maps[2].NameCenter = {150, 80};
    style.opacityPosition = 32;
    const QImage before = ws.workingImage;
    DrawNames(ws, style);

    std::vector<QRect> boxes;
    for (auto [name, c] : {std::pair{"Alpha", TPixel{60, 40}}, std::pair{"Beta", TPixel{150, 80}}}) {
        const QSize box = TextBoxSize(style.font, name);
        boxes.emplace_back(c.X - box.width() / 2, c.Y - box.height() / 2, box.width(), box.height());
    }
    std::vector<int> changedIn(boxes.size());
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            if (ws.workingImage.pixel(x, y) == before.pixel(x, y))
                continue;
            const auto in = std::find_if(boxes.begin(), boxes.end(), [&](const QRect& r) { return r.contains(x, y); });
            ASSERT_NE(in, boxes.end()) << "changed outside the text boxes at " << x << "," << y;
            ++changedIn[static_cast<std::size_t>(in - boxes.begin())];
        }
    }
    EXPECT_GT(changedIn[0], 0);
    EXPECT_GT(changedIn[1], 0);
    EXPECT_EQ(ws.workingImage.pixel(0, 0), before.pixel(0, 0)) << "the unusable sheet at (0, 0) gets no name";
}

}  // namespace
