#include "QtPrint.h"
#include "BatchProcess.h"
#include "MapFiles.h"
#include "batch/BatchOptions.h"
#include "imaging/JpegCodec.h"
#include "ui/IniFile.h"
#include "ui/StoredSettings.h"
#include "workflow/CalcNameCenters.h"
#include "workflow/DrawNames.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

int ExitCodeOf(const QStringList& arguments) { return RunBatchProcess(arguments).exitCode; }

using testfiles::Write;

class BatchSettingsTest : public ::testing::Test {
protected:
    // Writes the settings file as the window does when it closes.
    QString writeSettings(const StoredSettings& settings, const NamesFont& font = NamesFont{})
    {
        const QString path = root.filePath(QStringLiteral("tessarine%1.ini").arg(++written));
        IniFile ini(path);
        WriteStoredSettings(ini, settings, font);
        return path;
    }

    BatchOptions parse(const QStringList& extra)
    {
        const ParsedCommandLine parsed =
            ParseBatchCommandLine(QStringList{"tessarine-batch", "--maps", "m", "--index", "i.map"} + extra);
        EXPECT_TRUE(parsed.options.has_value()) << parsed.error.toStdString();
        return parsed.options.value_or(BatchOptions{});
    }

    QTemporaryDir root;
    int written = 0;
};

TEST_F(BatchSettingsTest, EveryDrawingOptionComesFromTheFile)
{
    StoredSettings s;
    s.mapsDir = "/elsewhere/maps/";
    s.mapFile = "/elsewhere/index.map";
    s.lineWidth = 9;
    s.lineColor = 5;  // Navy
    s.fillPolygons = true;
    s.centerNames = kBarycenter;
    s.namesSrc = kSourceImageFile;
    s.alpha = 12;
    NamesFont font;
    font.family = "DejaVu Serif";
    font.height = -21;
    font.color = QColor(0, 0, 255);
    font.bold = true;
    font.italic = true;
    font.underline = true;
    const BatchOptions o = parse({"--settings", writeSettings(s, font)});
    EXPECT_EQ(o.mapsDir, QString("m")) << "the folders come from the command line";
    EXPECT_EQ(o.indexMapFile, QString("i.map"));
    EXPECT_EQ(o.lineWidthText, QString("9"));
    EXPECT_EQ(o.lineColor, QColor(0, 0, 128));
    EXPECT_TRUE(o.fill);
    EXPECT_EQ(o.names.centreMethod, kBarycenter);
    EXPECT_EQ(o.names.source, kSourceImageFile);
    EXPECT_EQ(o.names.opacityPosition, 12);
    EXPECT_EQ(o.names.fontFamily, QString("DejaVu Serif"));
    EXPECT_EQ(o.names.fontPixelSize, 21);
    EXPECT_EQ(o.names.color, QColor(0, 0, 255));
    EXPECT_TRUE(o.names.bold);
    EXPECT_TRUE(o.names.italic);
    const QFont drawn = MakeNameStyle(o.names).font;
    EXPECT_TRUE(drawn.underline());
    EXPECT_FALSE(drawn.strikeOut());
}

TEST_F(BatchSettingsTest, TheCommandLineWinsOverTheFile)
{
    StoredSettings s;
    s.lineWidth = 9;
    s.lineColor = 4;
    s.centerNames = kBarycenter;
    s.namesSrc = kSourceFileName;
    s.alpha = 12;
    NamesFont font;
    font.family = "DejaVu Serif";
    font.height = -21;
    const QString path = writeSettings(s, font);
    // Before and after the settings option alike.
    const BatchOptions o = parse({"--line-width", "3", "--settings", path, "--line-color", "Red", "--centers", "mean",
                                  "--names", "map", "--opacity", "31", "--font", "DejaVu Sans", "--font-size", "15",
                                  "--font-color", "#00FF00"});
    EXPECT_EQ(o.lineWidthText, QString("3"));
    EXPECT_EQ(o.lineColor, QColor(255, 0, 0));
    EXPECT_EQ(o.names.centreMethod, kArithmeticMean);
    EXPECT_EQ(o.names.source, kSourceMapName);
    EXPECT_EQ(o.names.opacityPosition, 31);
    EXPECT_EQ(o.names.fontFamily, QString("DejaVu Sans"));
    EXPECT_EQ(o.names.fontPixelSize, 15);
    EXPECT_EQ(o.names.color, QColor(0, 255, 0));
}

struct StoredValueCase {
    const char* what;
    StoredSettings settings;
    QString lineWidth;
    QColor lineColor;
    int centreMethod;
    int source;
    int opacity;
};

StoredSettings With(void (*change)(StoredSettings&))
{
    StoredSettings s;
    change(s);
    return s;
}

class StoredValues : public BatchSettingsTest, public ::testing::WithParamInterface<StoredValueCase> {};

// As the window's controls take them: clamped to their ranges; a line
// colour with no colour of its own draws black.
TEST_P(StoredValues, AreTakenAsTheWindowTakesThem)
{
    const StoredValueCase& c = GetParam();
    const BatchOptions o = parse({"--settings", writeSettings(c.settings)});
    EXPECT_EQ(o.lineWidthText, c.lineWidth) << c.what;
    EXPECT_EQ(o.lineColor, c.lineColor) << c.what;
    EXPECT_EQ(o.names.centreMethod, c.centreMethod) << c.what;
    EXPECT_EQ(o.names.source, c.source) << c.what;
    EXPECT_EQ(o.names.opacityPosition, c.opacity) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoredValues,
    ::testing::Values(
        StoredValueCase{"first start", StoredSettings{}, "5", QColor(192, 192, 192), 0, 0, 30},
        StoredValueCase{"Custom... colour", With([](StoredSettings& s) { s.lineColor = 0; }), "5", Qt::black, 0, 0, 30},
        StoredValueCase{"colour past the list", With([](StoredSettings& s) { s.lineColor = 21; }), "5", Qt::black, 0,
                        0, 30},
        StoredValueCase{"no colour", With([](StoredSettings& s) { s.lineColor = -1; }), "5", Qt::black, 0, 0, 30},
        StoredValueCase{"above the ranges", With([](StoredSettings& s) {
                            s.lineWidth = 500;
                            s.centerNames = 7;
                            s.namesSrc = 9;
                            s.alpha = 40;
                        }),
                        "100", QColor(192, 192, 192), kBarycenter, kSourceCustomList, 32},
        StoredValueCase{"below the ranges", With([](StoredSettings& s) {
                            s.lineWidth = -4;
                            s.centerNames = -5;
                            s.namesSrc = -2;
                            s.alpha = -3;
                        }),
                        "1", QColor(192, 192, 192), kNoCentreMethod, kNoNameSource, 0}));

TEST_F(BatchSettingsTest, DamagedFontValueKeepsTheDesignFont)
{
    const QString path = writeSettings(StoredSettings{});
    IniFile(path).writeString("graphics", "Font", "00FF");
    const BatchOptions o = parse({"--settings", path});
    EXPECT_EQ(o.names.fontFamily, QString("Tahoma"));
    EXPECT_EQ(o.names.fontPixelSize, 13);
    EXPECT_EQ(o.names.color, QColor(255, 0, 0));
}

TEST_F(BatchSettingsTest, MissingSettingsFileIsAnError)
{
    for (const QString& path : {root.filePath("none.ini"), root.path()}) {
        const ParsedCommandLine parsed =
            ParseBatchCommandLine({"tessarine-batch", "--maps", "m", "--index", "i.map", "--settings", path});
        EXPECT_FALSE(parsed.options.has_value());
        EXPECT_EQ(parsed.error, "Settings file not found: " + path);
    }
}

TEST_F(BatchSettingsTest, UsageNamesTheOption)
{
    EXPECT_TRUE(BatchUsage().contains("--settings FILE")) << BatchUsage().toStdString();
}

// A run from a settings file saves what the same options on the command
// line save, and something else than the defaults.
TEST_F(BatchSettingsTest, RunWithTheSettingsSavesWhatTheirOptionsSave)
{
    QDir(root.path()).mkdir("maps");
    const QString maps = root.filePath("maps");
    const QString index = root.filePath("index.map");
    Write(maps + "/a.map", testfiles::Sheet("Alpha", "a.jpg", {{31, 59}, {34, 59}, {34, 56}, {31, 56}}));
    Write(maps + "/c.map", testfiles::Sheet("Gamma", "c.jpg", {{35, 55}, {39, 55}, {39, 51}, {35, 51}}));
    Write(index, testfiles::IndexMap("index.jpg", 400, 300, 60, 50, 30, 40));
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(qRgb(240, 230, 200));
    Write(root.filePath("index.jpg"), EncodeJpeg(image));

    StoredSettings s;
    s.lineWidth = 4;
    s.lineColor = 13;  // Blue
    s.fillPolygons = true;
    s.centerNames = kBarycenter;
    s.namesSrc = kSourceFileName;
    s.alpha = 20;
    NamesFont font;
    font.family = "DejaVu Sans";
    font.height = -18;
    font.bold = true;
    font.color = QColor(0, 128, 0);
    const QString settings = writeSettings(s, font);
    const QStringList base{"--maps", maps, "--index", index};

    ASSERT_EQ(ExitCodeOf(base + QStringList{"--settings", settings, "--output", root.filePath("s.jpg")}), 0);
    ASSERT_EQ(ExitCodeOf(base + QStringList{"--line-width", "4", "--line-color", "Blue", "--fill", "--centers",
                                          "barycenter", "--names", "file", "--opacity", "20", "--font", "DejaVu Sans",
                                          "--font-size", "18", "--bold", "--font-color", "#008000", "--output",
                                          root.filePath("o.jpg")}),
              0);
    ASSERT_EQ(ExitCodeOf(base + QStringList{"--output", root.filePath("d.jpg")}), 0);
    const QByteArray fromSettings = testfiles::Read(root.filePath("s.jpg"));
    ASSERT_FALSE(fromSettings.isEmpty());
    EXPECT_EQ(fromSettings, testfiles::Read(root.filePath("o.jpg")));
    EXPECT_NE(fromSettings, testfiles::Read(root.filePath("d.jpg")));
}

}  // namespace
