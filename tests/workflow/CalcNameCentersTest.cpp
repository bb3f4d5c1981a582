#include "QtPrint.h"
#include "ErrorText.h"
#include "workflow/CalcNameCenters.h"

#include <gtest/gtest.h>

namespace {

TSingleMap Sheet(bool ok, std::vector<TPixel> corners, TPixel centre = {})
{
    TSingleMap sheet;
    sheet.IsOk = ok;
    sheet.Pixels = std::move(corners);
    sheet.NameCenter = centre;
    return sheet;
}

const std::vector<TPixel> kRectangle{{0, 0}, {10, 0}, {10, 5}, {0, 5}};
const std::vector<TPixel> kTrapezoid{{0, 0}, {12, 0}, {8, 6}, {4, 6}};

class CalcNameCentersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ws.data.IndexMap.IsOk = true;
        ws.data.GoodMapsCount = 1;
        ws.commands.apply(Transition::PointsCalculated);
    }

    bool buttonEnabled() const { return ws.commands.enabled(Command::CalcNames); }

    MemoryLog log;
    Workspace ws{log, "."};
};

const QStringList kFullLog{"", "Calculating names places...", "Calculated"};

TEST_F(CalcNameCentersTest, UsableSheetsGetTheirCentresByEitherMethod)
{
    ws.data.Maps = {Sheet(true, kTrapezoid), Sheet(false, kRectangle, {-7, 9}), Sheet(true, kRectangle)};
    ws.data.GoodMapsCount = 2;

    ASSERT_TRUE(buttonEnabled());
    EXPECT_EQ(CalcNameCenters(ws, kArithmeticMean), StepOutcome::Completed);
    EXPECT_EQ(log.lines(), kFullLog);
    EXPECT_EQ(log.pendingEventCalls(), 1);
    EXPECT_TRUE(ws.centersReady);
    EXPECT_FALSE(buttonEnabled());
    EXPECT_TRUE(ws.commands.enabled(Command::Names)) << "no other button changes";
    EXPECT_EQ(ws.data.Maps[0].NameCenter, (TPixel{6, 3}));
    EXPECT_EQ(ws.data.Maps[1].NameCenter, (TPixel{-7, 9})) << "an unusable sheet keeps its centre";
    EXPECT_EQ(ws.data.Maps[2].NameCenter, (TPixel{5, 2}));

    CentreMethodChosen(ws, kBarycenter);
    EXPECT_EQ(CalcNameCenters(ws, kBarycenter), StepOutcome::Completed);
    EXPECT_EQ(ws.data.Maps[0].NameCenter, (TPixel{6, 2}));
    EXPECT_EQ(ws.data.Maps[1].NameCenter, (TPixel{-7, 9}));
    EXPECT_EQ(ws.data.Maps[2].NameCenter, (TPixel{5, 2}));
}

TEST_F(CalcNameCentersTest, WithoutUsableIndexMapOrSheetsNothingHappens)
{
    ws.data.Maps = {Sheet(true, kRectangle, {1, 1})};
    for (auto [indexOk, good] : {std::pair{false, 1}, std::pair{true, 0}}) {
        ws.data.IndexMap.IsOk = indexOk;
        ws.data.GoodMapsCount = good;
        EXPECT_EQ(CalcNameCenters(ws, kArithmeticMean), StepOutcome::Stopped);
        EXPECT_TRUE(log.lines().isEmpty());
        EXPECT_EQ(log.pendingEventCalls(), 0);
        EXPECT_FALSE(ws.centersReady);
        EXPECT_TRUE(buttonEnabled());
        EXPECT_EQ(ws.data.Maps[0].NameCenter, (TPixel{1, 1}));
    }
}

TEST_F(CalcNameCentersTest, NoSheetsAfterClearAllOrNoMethodStillLogsAndFlags)
{
    ws.commands.apply(Transition::ClearedAll);
    ASSERT_TRUE(buttonEnabled()) << "Clear all leaves Calc for preview alone";
    for (auto [maps, method] : {std::pair{std::vector<TSingleMap>{}, kBarycenter},
                                std::pair{std::vector{Sheet(true, kRectangle, {3, 4})}, kNoCentreMethod}}) {
        const qsizetype before = log.lines().size();
        ws.centersReady = false;
        ws.commands.apply(Transition::CentreMethodChanged);
        ws.data.Maps = maps;
        EXPECT_EQ(CalcNameCenters(ws, method), StepOutcome::Completed);
        EXPECT_EQ(log.lines().mid(before), kFullLog);
        EXPECT_TRUE(ws.centersReady);
        EXPECT_FALSE(buttonEnabled());
    }
    EXPECT_EQ(ws.data.Maps[0].NameCenter, (TPixel{3, 4})) << "no method computes nothing";
}

TEST_F(CalcNameCentersTest, ZeroDivisorStopsAtTheFailingSheet)
{
    // The second sheet has no corners yet: the method changed before Calc points.
    ws.data.Maps = {Sheet(true, kTrapezoid, {1, 1}), Sheet(true, {}, {2, 2}), Sheet(true, kRectangle, {3, 3})};
    ws.data.GoodMapsCount = 3;

    for (int method : {kArithmeticMean, kBarycenter})
        EXPECT_EQ(ErrorText([&] { CalcNameCenters(ws, method); }), "Invalid floating point operation") << method;
    EXPECT_NE(ws.data.Maps[0].NameCenter, (TPixel{1, 1})) << "sheets before keep their new centres";
    EXPECT_EQ(ws.data.Maps[1].NameCenter, (TPixel{2, 2}));
    EXPECT_EQ(ws.data.Maps[2].NameCenter, (TPixel{3, 3}));
    const QStringList twoRuns{"", "Calculating names places...", "", "Calculating names places..."};
    EXPECT_EQ(log.lines(), twoRuns);
    EXPECT_FALSE(ws.centersReady);
    EXPECT_TRUE(buttonEnabled());
}

TEST_F(CalcNameCentersTest, ChoosingAnotherMethodMakesTheCentresStale)
{
    ws.data.Maps = {Sheet(true, kRectangle)};
    CalcNameCenters(ws, kArithmeticMean);
    ASSERT_TRUE(ws.centersReady);

    CentreMethodChosen(ws, kArithmeticMean);
    EXPECT_TRUE(ws.centersReady) << "the same method changes nothing";
    EXPECT_FALSE(buttonEnabled());

    CentreMethodChosen(ws, kBarycenter);
    EXPECT_FALSE(ws.centersReady);
    EXPECT_EQ(ws.centersMethod, kBarycenter);
    EXPECT_TRUE(buttonEnabled());

    CentreMethodChosen(ws, kArithmeticMean);
    EXPECT_FALSE(ws.centersReady) << "switching back does not make them ready again";
    EXPECT_EQ(ws.centersMethod, kArithmeticMean);
    EXPECT_TRUE(buttonEnabled());
}

}  // namespace
