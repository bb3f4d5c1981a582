#include "QtPrint.h"
#include "MapFiles.h"
#include "batch/BatchOptions.h"
#include "settings/IniFile.h"
#include "settings/StoredSettings.h"

#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// What a command line turns into, one option a row: the field it sets, or
// the reason it is refused.

namespace {

QMap<QString, QString> Fields(const BatchOptions& o)
{
    return {{"width", o.lineWidthText},
            {"colour", o.lineColor.name()},
            {"fill", QString::number(o.fill)},
            {"centres", QString::number(o.names.centreMethod)},
            {"source", QString::number(o.names.source)},
            {"opacity", QString::number(o.names.opacityPosition)},
            {"font", QStringLiteral("%1 %2").arg(o.names.fontFamily).arg(o.names.fontPixelSize)},
            {"fontColour", o.names.color.name()},
            {"scale", o.coverage.run ? QString::number(o.coverage.scale) : QStringLiteral("none")}};
}

struct OptionCase {
    QStringList extra;
    const char* field;     // nullptr: refused
    const char* expected;  // the field's value, or the start of the reason
};

void PrintTo(const OptionCase& c, std::ostream* os) { *os << c.extra.join(' ').toStdString(); }

class CommandLine : public ::testing::TestWithParam<OptionCase> {};

TEST_P(CommandLine, SetsTheFieldOrSaysWhy)
{
    const OptionCase& c = GetParam();
    const ParsedCommandLine parsed =
        ParseBatchCommandLine(QStringList{"tessarine-batch", "--maps", "m", "--index", "i.map"} + c.extra);
    if (c.field == nullptr) {
        EXPECT_FALSE(parsed.options.has_value());
        EXPECT_TRUE(parsed.error.startsWith(QString::fromUtf8(c.expected))) << parsed.error.toStdString();
    } else {
        ASSERT_TRUE(parsed.options.has_value()) << parsed.error.toStdString();
        EXPECT_EQ(Fields(*parsed.options).value(c.field), QString::fromUtf8(c.expected));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CommandLine,
    ::testing::Values(OptionCase{{}, "colour", "#c0c0c0"}, OptionCase{{}, "width", "5"},
                      OptionCase{{"--line-color", "red"}, "colour", "#ff0000"},
                      OptionCase{{"--line-color", "Money Green"}, "colour", "#c0dcc0"},
                      OptionCase{{"--line-color", "NAVY"}, "colour", "#000080"},
                      OptionCase{{"--line-color", "#00ff00"}, "colour", "#00ff00"},
                      OptionCase{{"--line-color", "Custom..."}, nullptr, "Unknown line colour"},
                      OptionCase{{"--line-color", "#GG0000"}, nullptr, "Unknown line colour"},
                      OptionCase{{"--line-width", "abc"}, "width", "abc"},  // refused by Draw borders, as typed
                      OptionCase{{"--centers", "barycenter"}, "centres", "1"},
                      OptionCase{{"--centers", "median"}, nullptr, ""},
                      OptionCase{{"--names", "custom"}, "source", "3"},
                      OptionCase{{"--names", "title"}, nullptr, ""},
                      OptionCase{{"--opacity", "32"}, "opacity", "32"},
                      OptionCase{{"--opacity", "33"}, nullptr, ""}, OptionCase{{"--opacity", "x"}, nullptr, ""},
                      OptionCase{{"--font", "DejaVu Sans", "--font-size", "15"}, "font", "DejaVu Sans 15"},
                      OptionCase{{"--font-size", "0"}, nullptr, ""},
                      OptionCase{{"--font-color", "#12345"}, nullptr, ""},
                      OptionCase{{"--coverage", "1:100 000"}, "scale", "100000"},
                      OptionCase{{"--coverage", "auto"}, "scale", "0"},
                      OptionCase{{"--coverage", "1:300000"}, nullptr, "Unknown scale: 1:300000"},
                      OptionCase{{"--draw-missing"}, nullptr, "--draw-missing and --missing-list need --coverage."},
                      OptionCase{{"--settings", "/nonexistent.ini"}, nullptr,
                                 "Settings file not found: /nonexistent.ini"}));

struct StoredCase {
    const char* graphics;  // the settings file's [graphics] lines
    const char* field;
    const char* expected;
};

void PrintTo(const StoredCase& c, std::ostream* os) { *os << c.graphics; }

class StoredSettingsFile : public ::testing::TestWithParam<StoredCase> {};

// Values are taken as the window's controls take them, and the command
// line wins over the file, before the settings option and after it.
TEST_P(StoredSettingsFile, GivesWhatTheWindowWouldShow)
{
    const StoredCase& c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath("tessarine.ini");
    testfiles::Write(path, QByteArray("[graphics]\n") + c.graphics);
    const ParsedCommandLine parsed = ParseBatchCommandLine(
        {"tessarine-batch", "--opacity", "3", "--maps", "m", "--settings", path, "--index", "i.map", "--names", "file"});
    ASSERT_TRUE(parsed.options.has_value()) << parsed.error.toStdString();
    EXPECT_EQ(Fields(*parsed.options).value(c.field), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StoredSettingsFile,
    ::testing::Values(StoredCase{"LineColor=13", "colour", "#0000ff"}, StoredCase{"LineColor=0", "colour", "#000000"},
                      StoredCase{"LineColor=21", "colour", "#000000"}, StoredCase{"FillPolygons=7", "fill", "1"},
                      StoredCase{"CenterNames=7", "centres", "1"}, StoredCase{"CenterNames=-5", "centres", "-1"},
                      StoredCase{"LineWidth=500", "width", "100"}, StoredCase{"LineWidth=-4", "width", "1"},
                      StoredCase{"NamesSrc=3", "source", "1"}, StoredCase{"Alpha=12", "opacity", "3"}));

}  // namespace
