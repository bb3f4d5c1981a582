#include "QtPrint.h"
#include "IndexImageFixture.h"
#include "ErrorText.h"

#include <cmath>
#include <functional>

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

TEST_F(LoadImageTest, ARefusedExtensionOrAMissingImageChangesNothing)
{
    struct {
        QString line;
        QString message;
    } const cases[] = {
        {"index.jpe", "Image file has no JPEG extention"},
        {"index.jpg", "Image file not found"},
        {"C:\\maps\\none.jpg", "Image file not found"},
        // An absolute path that does not exist is not looked up elsewhere.
        {folder + "/gone/index.jpg", "Image file not found"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        prepare(c.line, c.line.startsWith('/') ? "index.jpg" : "");
        EXPECT_EQ(load(), StepOutcome::Stopped);
        EXPECT_EQ(log.entries, (QStringList{"", c.message}));
        EXPECT_EQ(log.pendingEventCalls, 0);
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

TEST_F(LoadImageTest, AnUnreadableHeaderOrAnImageTooLargeForMemoryIsOneLoggedEntry)
{
    prepare("index.jpg");
    QByteArray huge = imageBytes;
    const qsizetype sof = huge.indexOf("\xFF\xC0");
    ASSERT_GT(sof, 0);
    for (int at : {5, 7}) {
        huge[sof + at] = static_cast<char>(0xFF);
        huge[sof + at + 1] = static_cast<char>(0xDC);  // 65500
    }
    struct {
        QByteArray bytes;
        QString start;
        QString end;
    } const cases[] = {
        {"not a jpeg", "JPEG error #", ": Not a JPEG file: starts with 0x6e 0x6f"},
        // refused before anything is allocated
        {huge, "An image of 65500 x 65500 pixels", ""},
    };
    for (const auto& c : cases) {
        log.entries.clear();
        Write(folder + "/index.jpg", c.bytes);
        EXPECT_EQ(load(), StepOutcome::Stopped);
        ASSERT_EQ(log.entries.size(), 4);
        EXPECT_EQ(log.entries.mid(0, 3), (QStringList{"", "Loading map image...", ""}));
        const QString& entry = log.entries[3];
        EXPECT_TRUE(entry.startsWith("Failed to load image. Error message:\n" + c.start)) << entry.toStdString();
        EXPECT_TRUE(entry.endsWith(c.end)) << entry.toStdString();
        EXPECT_EQ(ws.data.IndexMap.FileName, folder + "/index.jpg");
        EXPECT_TRUE(ws.workingImage.isNull());
        EXPECT_TRUE(ws.baseImage.isEmpty());
        EXPECT_TRUE(ws.commands.enabled(Command::LoadImage));
        EXPECT_FALSE(ws.commands.enabled(Command::Calc));
    }
}

TEST_F(LoadImageTest, DamagedPixelDataOrAnIndexMapWithoutAnImageLineIsThrown)
{
    prepare("index.jpg");
    Write(folder + "/index.jpg", imageBytes.left(imageBytes.size() * 2 / 3));
    EXPECT_THROW(load(), TessError);
    EXPECT_EQ(log.entries, (QStringList{"", "Loading map image..."}));
    EXPECT_TRUE(ws.workingImage.isNull());
    EXPECT_TRUE(ws.commands.enabled(Command::LoadImage));
    EXPECT_FALSE(ws.commands.enabled(Command::Calc));

    log.entries.clear();
    Write(indexFile, "OziExplorer Map Data File Version 2.2\r\nIndex\r\n");
    EXPECT_EQ(ErrorText([&] { load(); }), "List index out of bounds (2)");
    QFile::remove(indexFile);
    EXPECT_THROW(load(), TessError);
    EXPECT_TRUE(log.entries.isEmpty());
}

TEST_F(LoadImageTest, TheBorderCheckComesFirstThenTheProjectionCheck)
{
    const QString border = "Index map border is not default - not ok";
    const QString mercator = "Index map is not in Mercator projection - not ok";
    using Corners = std::vector<TGeoPoint>;
    // Each shared coordinate, one at a time, off by the least amount.
    const auto nudge = [](double& v) { v = std::nextafter(v, 1000.0); };
    struct {
        const char* what;
        int mapWidth;
        std::function<void(Corners&)> move;
        bool indexOk;
        QStringList checks;
    } const cases[] = {
        {"north edge", kWidth, [&](Corners& c) { nudge(c[1].Lat); }, true, {"", mercator}},
        {"south edge", kWidth, [&](Corners& c) { nudge(c[3].Lat); }, true, {"", mercator}},
        {"west edge", kWidth, [&](Corners& c) { nudge(c[3].Lon); }, true, {"", mercator}},
        {"east edge", kWidth, [&](Corners& c) { nudge(c[2].Lon); }, true, {"", mercator}},
        {"corners off the image corners", kWidth - 1, [](Corners&) {}, true, {"", border}},
        {"both faults", kWidth + 1, [](Corners& c) { c[0].Lon += 0.5; }, true, {"", border, "", mercator}},
        {"an unusable index map", kWidth - 1, [](Corners&) {}, false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        prepare("index.jpg", "index.jpg", c.mapWidth, kHeight);
        ws.commands = CommandStates();
        ws.commands.apply(Transition::AnalyzeFoundUsable);
        c.move(ws.data.IndexMap.LatLon);
        ws.data.IndexMap.IsOk = c.indexOk;
        EXPECT_EQ(load(), StepOutcome::Completed);
        EXPECT_EQ(log.entries, (QStringList{"", "Loading map image..."} + c.checks + QStringList{"Map image loaded"}));
        EXPECT_FALSE(ws.data.IndexMap.IsOk);
        EXPECT_FALSE(ws.commands.enabled(Command::Calc));
        EXPECT_FALSE(ws.commands.enabled(Command::LoadImage));
        EXPECT_FALSE(ws.workingImage.isNull());
    }
}

}  // namespace
