#include "QtPrint.h"
#include "BatchProcess.h"
#include "MapFiles.h"
#include "batch/BatchOptions.h"
#include "imaging/JpegCodec.h"
#include "settings/IniFile.h"
#include "settings/StoredSettings.h"
#include "workflow/CalcNameCenters.h"
#include "workflow/DrawNames.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

int ExitCodeOf(const QStringList& arguments) { return RunBatchProcess(arguments).exitCode; }

using testfiles::Write;

class BatchSettingsTest : public BatchFolder {
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

    int written = 0;
};

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
    const char* graphics;  // the [graphics] section's lines
    QString lineWidth;
    QColor lineColor;
    int centreMethod;
    int source;
    int opacity;
};

class StoredValues : public BatchSettingsTest, public ::testing::WithParamInterface<StoredValueCase> {};

// As the window's controls take them: clamped to their ranges; a line
// colour with no colour of its own draws black.
TEST_P(StoredValues, AreTakenAsTheWindowTakesThem)
{
    const StoredValueCase& c = GetParam();
    const QString path = root.filePath("stored.ini");
    Write(path, QByteArray("[graphics]\n") + c.graphics);
    const BatchOptions o = parse({"--settings", path});
    EXPECT_EQ(o.lineWidthText, c.lineWidth) << c.graphics;
    EXPECT_EQ(o.lineColor, c.lineColor) << c.graphics;
    EXPECT_EQ(o.names.centreMethod, c.centreMethod) << c.graphics;
    EXPECT_EQ(o.names.source, c.source) << c.graphics;
    EXPECT_EQ(o.names.opacityPosition, c.opacity) << c.graphics;
}

const QColor kSilver(192, 192, 192);

INSTANTIATE_TEST_SUITE_P(
    Cases, StoredValues,
    ::testing::Values(StoredValueCase{"", "5", kSilver, 0, 0, 30},  // first start
                      StoredValueCase{"LineColor=0", "5", Qt::black, 0, 0, 30},
                      StoredValueCase{"LineColor=21", "5", Qt::black, 0, 0, 30},
                      StoredValueCase{"LineColor=-1", "5", Qt::black, 0, 0, 30},
                      StoredValueCase{"LineWidth=500\nCenterNames=7\nNamesSrc=9\nAlpha=40", "100", kSilver,
                                      kBarycenter, kSourceCustomList, 32},
                      StoredValueCase{"LineWidth=-4\nCenterNames=-5\nNamesSrc=-2\nAlpha=-3", "1", kSilver,
                                      kNoCentreMethod, kNoNameSource, 0}));

TEST_F(BatchSettingsTest, MissingSettingsFileIsAnError)
{
    for (const QString& path : {root.filePath("none.ini"), root.path()}) {
        const ParsedCommandLine parsed =
            ParseBatchCommandLine({"tessarine-batch", "--maps", "m", "--index", "i.map", "--settings", path});
        EXPECT_FALSE(parsed.options.has_value());
        EXPECT_EQ(parsed.error, "Settings file not found: " + path);
    }
}

// A run from a settings file saves what the same options on the command
// line save, and something else than the defaults.
TEST_F(BatchSettingsTest, RunWithTheSettingsSavesWhatTheirOptionsSave)
{
    Write(maps + "/a.map", testfiles::Sheet("Alpha", "a.jpg", {{31, 59}, {34, 59}, {34, 56}, {31, 56}}));
    Write(maps + "/c.map", testfiles::Sheet("Gamma", "c.jpg", {{35, 55}, {39, 55}, {39, 51}, {35, 51}}));
    writeIndex(400, 300, qRgb(240, 230, 200));

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
    font.color = 0xFF008000u;
    const QString settings = writeSettings(s, font);
    const QStringList base = args();

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
