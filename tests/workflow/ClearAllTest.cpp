#include "QtPrint.h"
#include "workflow/ClearAll.h"

#include <gtest/gtest.h>

namespace {

TEST(ClearAllTest, DropsImagesSheetsAndCustomNames)
{
    MemoryLog log;
    log.append("earlier text");
    Workspace ws(log, ".");
    ws.workingImage = QImage(30, 20, QImage::Format_RGB32);
    ws.baseImage = QByteArray("\xFF\xD8jpeg bytes");
    ws.data.Maps.resize(3);
    ws.data.IndexMap.IsOk = true;
    ws.data.IndexMap.FileName = "/maps/index.jpg";
    ws.data.GoodMapsCount = 2;
    ws.data.CustomList = QStringList{"one", "two", "three"};
    ws.centersReady = true;
    ws.centersMethod = 1;
    ws.penWidth = 7;
    for (Transition t : {Transition::AnalyzeFoundUsable, Transition::AnalyzeScanned, Transition::ImageUsable,
                         Transition::PointsCalculated, Transition::BordersDrawn})
        ws.commands.apply(t);

    ClearAll(ws);

    EXPECT_TRUE(ws.workingImage.isNull());
    EXPECT_TRUE(ws.baseImage.isEmpty());
    EXPECT_TRUE(ws.data.Maps.empty());
    ASSERT_TRUE(ws.data.CustomList.has_value()) << "the list stays, emptied";
    EXPECT_TRUE(ws.data.CustomList->isEmpty());
    EXPECT_FALSE(ws.centersReady);
    // Untouched: the index map, the count, the log and the drawing options.
    EXPECT_TRUE(ws.data.IndexMap.IsOk);
    EXPECT_EQ(ws.data.IndexMap.FileName, "/maps/index.jpg");
    EXPECT_EQ(ws.data.GoodMapsCount, 2);
    EXPECT_EQ(log.lines(), QStringList{"earlier text"});
    EXPECT_EQ(ws.centersMethod, 1);

    EXPECT_TRUE(ws.commands.enabled(Command::Analyze));
    for (Command c : {Command::ClearAll, Command::Undo, Command::LoadImage, Command::Calc, Command::Draw,
                      Command::Names, Command::Save})
        EXPECT_FALSE(ws.commands.enabled(c)) << static_cast<int>(c);
    EXPECT_TRUE(ws.commands.enabled(Command::CalcNames)) << "keeps its state";
}

TEST(ClearAllTest, TwiceWithNoListCreatesNone)
{
    MemoryLog log;
    Workspace ws(log, ".");
    ClearAll(ws);
    ClearAll(ws);
    EXPECT_FALSE(ws.data.CustomList.has_value());
}

}  // namespace
