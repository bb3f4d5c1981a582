#include "QtPrint.h"
#include "IndexImageFixture.h"
#include "model/Errors.h"

#include <cmath>

namespace {

using testfiles::IndexImageTest;
using testfiles::Write;

using LoadImageTest = IndexImageTest;

TEST_F(LoadImageTest, LoadsTheImageBesideTheIndexMapAndEnablesCalcPoints)
{
    prepare("index.jpg");
    EXPECT_EQ(load(), StepOutcome::Completed);
    EXPECT_EQ(log.entries, (QStringList{"", "Loading map image...", "Map image loaded"}));
    EXPECT_EQ(log.pendingEventCalls, 1);
    EXPECT_EQ(ws.data.IndexMap.FileName, folder + "/index.jpg");
    EXPECT_TRUE(ws.data.IndexMap.IsOk);
    EXPECT_EQ(ws.workingImage.format(), QImage::Format_RGB32);
    EXPECT_EQ(ws.workingImage, DecodeJpeg(imageBytes, -1));
    EXPECT_EQ(ws.baseImage, imageBytes);  // kept compressed
    EXPECT_EQ(ws.penWidth, 1);
    EXPECT_TRUE(ws.commands.enabled(Command::Calc));
    EXPECT_FALSE(ws.commands.enabled(Command::LoadImage));
}

TEST(JpegExtension, OnlyJpgAndJpegInAnyLetterCase)
{
    const std::pair<QString, bool> cases[] = {
        {"index.jpg", true},       {"index.JPG", true},    {"x\\index.Jpeg", true}, {"a.b.jpeg", true},
        {"index.jpe", false},      {"index.jpg ", false},  {"", false},             {"index", false},
        {"maps.jpg\\index", false}, {"maps.jpg/index", false}, {"C:.jpgx", false},  {".jpg", true},
    };
    for (const auto& [line, accepted] : cases)
        EXPECT_EQ(HasJpegExtension(line), accepted) << line.toStdString();
}

TEST_F(LoadImageTest, ARefusedExtensionChangesNothing)
{
    for (const QString& line : {QString("index.jpe"), QString("index.jpg "), QString()}) {
        prepare(line, "");
        EXPECT_EQ(load(), StepOutcome::Stopped);
        EXPECT_EQ(log.entries, (QStringList{"", "Image file has no JPEG extention"}));
        EXPECT_EQ(log.pendingEventCalls, 0);
        EXPECT_TRUE(ws.data.IndexMap.FileName.isEmpty());
        EXPECT_TRUE(ws.commands.enabled(Command::LoadImage));
    }
}

TEST_F(LoadImageTest, FindsTheImageByItsNameBesideTheIndexMap)
{
    struct Case {
        QString line;
        QString file;  // as it is on disk
    };
    const Case cases[] = {
        {"Index.JPG", "Index.JPG"},                   // bare name, as written
        {"index.jpg", "INDEX.JPG"},                   // bare name, other case
        {"C:\\Maps\\Index.Jpg", "Index.Jpg"},         // Windows path, name as written
        {"C:\\Maps\\Index.Jpg", "INDEX.JPG"},         // upper case
        {"D:\\Maps\\Index.Jpg", "index.jpg"},         // lower case
        {"images/index.jpg", "index.jpg"},            // relative path that does not exist
        {"..\\scans\\index.jpeg", "index.jpeg"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.toStdString() + " -> " + c.file.toStdString());
        QDir(folder).remove("index.jpg");
        QDir(folder).remove(c.file);
        prepare(c.line, c.file);
        ws.commands = CommandStates();
        ws.commands.apply(Transition::AnalyzeFoundUsable);
        EXPECT_EQ(load(), StepOutcome::Completed);
        EXPECT_EQ(ws.data.IndexMap.FileName, folder + "/" + c.file);
        QDir(folder).remove(c.file);
    }
}

TEST_F(LoadImageTest, AnExistingPathIsUsedAsWritten)
{
    QDir(folder).mkdir("images");
    const QString elsewhere = folder + "/images/overview.jpg";
    prepare(elsewhere, "images/overview.jpg");
    Write(folder + "/overview.jpg", "a different file beside the index map");
    EXPECT_EQ(load(), StepOutcome::Completed);
    EXPECT_EQ(ws.data.IndexMap.FileName, elsewhere);
}

TEST_F(LoadImageTest, AMissingImageChangesNothing)
{
    // An absolute path that does not exist is not looked up elsewhere.
    for (const QString& line : {QString("index.jpg"), QString("C:\\maps\\none.jpg"), folder + "/gone/index.jpg"}) {
        SCOPED_TRACE(line.toStdString());
        prepare(line, line.startsWith('/') ? "index.jpg" : "");
        EXPECT_EQ(load(), StepOutcome::Stopped);
        EXPECT_EQ(log.entries, (QStringList{"", "Image file not found"}));
        EXPECT_TRUE(ws.data.IndexMap.FileName.isEmpty());
        EXPECT_TRUE(ws.commands.enabled(Command::LoadImage));
        QDir(folder).remove("index.jpg");
    }
    // A folder of that name is no file.
    QDir(folder).mkdir("index.jpg");
    prepare("index.jpg", "");
    EXPECT_EQ(load(), StepOutcome::Stopped);
    EXPECT_EQ(log.entries.last(), "Image file not found");
}

TEST_F(LoadImageTest, AnUnreadableHeaderIsOneLoggedEntry)
{
    prepare("index.jpg", "");
    Write(folder + "/index.jpg", "not a jpeg");
    EXPECT_EQ(load(), StepOutcome::Stopped);
    ASSERT_EQ(log.entries.size(), 4);
    EXPECT_EQ(log.entries.mid(0, 2), (QStringList{"", "Loading map image..."}));
    EXPECT_EQ(log.entries[2], "");
    EXPECT_TRUE(log.entries[3].startsWith("Failed to load image. Error message:\nJPEG error #")) << log.entries[3].toStdString();
    EXPECT_TRUE(log.entries[3].endsWith(": Not a JPEG file: starts with 0x6e 0x6f"));
    EXPECT_EQ(ws.data.IndexMap.FileName, folder + "/index.jpg");
    EXPECT_TRUE(ws.workingImage.isNull());
    EXPECT_TRUE(ws.baseImage.isEmpty());
    EXPECT_TRUE(ws.commands.enabled(Command::LoadImage));
    EXPECT_FALSE(ws.commands.enabled(Command::Calc));
}

TEST_F(LoadImageTest, AnImageTooLargeForMemoryIsLoggedBeforeAnythingIsAllocated)
{
    prepare("index.jpg");
    QByteArray huge = imageBytes;
    const qsizetype sof = huge.indexOf("\xFF\xC0");
    ASSERT_GT(sof, 0);
    for (int at : {5, 7}) {
        huge[sof + at] = static_cast<char>(0xFF);
        huge[sof + at + 1] = static_cast<char>(0xDC);  // 65500
    }
    Write(folder + "/index.jpg", huge);
    EXPECT_EQ(load(), StepOutcome::Stopped);
    EXPECT_TRUE(log.entries.last().startsWith("Failed to load image. Error message:\nAn image of 65500 x 65500 pixels"))
        << log.entries.last().toStdString();
    EXPECT_TRUE(ws.workingImage.isNull());
}

TEST_F(LoadImageTest, DamagedPixelDataIsThrownAndChangesNoButton)
{
    prepare("index.jpg");
    Write(folder + "/index.jpg", imageBytes.left(imageBytes.size() * 2 / 3));
    EXPECT_THROW(load(), TessError);
    EXPECT_EQ(log.entries, (QStringList{"", "Loading map image..."}));
    EXPECT_TRUE(ws.workingImage.isNull());
    EXPECT_TRUE(ws.commands.enabled(Command::LoadImage));
    EXPECT_FALSE(ws.commands.enabled(Command::Calc));
}

TEST_F(LoadImageTest, AnIndexMapWithoutAnImageLineIsThrown)
{
    prepare("index.jpg");
    Write(indexFile, "OziExplorer Map Data File Version 2.2\r\nIndex\r\n");
    try {
        load();
        FAIL() << "loaded";
    } catch (const TessError& error) {
        EXPECT_EQ(error.text(), "List index out of bounds (2)");
    }
    QFile::remove(indexFile);
    EXPECT_THROW(load(), TessError);
    EXPECT_TRUE(log.entries.isEmpty());
}

TEST_F(LoadImageTest, CornersOffTheImageCornersFailTheBorderCheck)
{
    prepare("index.jpg", "index.jpg", kWidth - 1, kHeight - 1);
    EXPECT_EQ(load(), StepOutcome::Completed);
    EXPECT_EQ(log.entries, (QStringList{"", "Loading map image...", "", "Index map border is not default - not ok",
                                        "Map image loaded"}));
    EXPECT_FALSE(ws.data.IndexMap.IsOk);
    EXPECT_FALSE(ws.commands.enabled(Command::Calc));
    EXPECT_FALSE(ws.commands.enabled(Command::LoadImage));
    EXPECT_FALSE(ws.workingImage.isNull());
}

TEST_F(LoadImageTest, CornersThatAreNoRectangleInDegreesFailTheProjectionCheck)
{
    // Each shared coordinate, one at a time, off by the least amount.
    for (int edge = 0; edge < 4; ++edge) {
        SCOPED_TRACE(edge);
        prepare("index.jpg");
        ws.commands = CommandStates();
        ws.commands.apply(Transition::AnalyzeFoundUsable);
        auto& c = ws.data.IndexMap.LatLon;
        double& moved = edge == 0 ? c[1].Lat : edge == 1 ? c[3].Lat : edge == 2 ? c[3].Lon : c[2].Lon;
        moved = std::nextafter(moved, 1000.0);
        EXPECT_EQ(load(), StepOutcome::Completed);
        EXPECT_EQ(log.entries.mid(2), (QStringList{"", "Index map is not in Mercator projection - not ok",
                                                   "Map image loaded"}));
        EXPECT_FALSE(ws.commands.enabled(Command::Calc));
        ws.data.IndexMap.IsOk = true;
    }
}

TEST_F(LoadImageTest, BothChecksReportBorderFirst)
{
    prepare("index.jpg", "index.jpg", kWidth + 1, kHeight);
    ws.data.IndexMap.LatLon[0].Lon += 0.5;
    EXPECT_EQ(load(), StepOutcome::Completed);
    EXPECT_EQ(log.entries.mid(2), (QStringList{"", "Index map border is not default - not ok", "",
                                               "Index map is not in Mercator projection - not ok",
                                               "Map image loaded"}));
}

TEST_F(LoadImageTest, AnUnusableIndexMapIsNotCheckedButLoads)
{
    prepare("index.jpg", "index.jpg", kWidth - 1, kHeight);
    ws.data.IndexMap.IsOk = false;
    EXPECT_EQ(load(), StepOutcome::Completed);
    EXPECT_EQ(log.entries, (QStringList{"", "Loading map image...", "Map image loaded"}));
    EXPECT_FALSE(ws.commands.enabled(Command::Calc));
    EXPECT_FALSE(ws.commands.enabled(Command::LoadImage));
}

}  // namespace
