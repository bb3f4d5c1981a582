// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/BatchOptions.h"

#include "batch/SettingsOptions.h"
#include "settings/IniFile.h"
#include "workflow/panel/LineColors.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<const char*, BatchStep>, 7> kStepNames{{
    {"analyze", BatchStep::Analyze},
    {"load", BatchStep::Load},
    {"calc", BatchStep::Calc},
    {"borders", BatchStep::Borders},
    {"centers", BatchStep::Centers},
    {"names", BatchStep::Names},
    {"save", BatchStep::Save},
}};

// A name of the line colour list (any letter case) or #RRGGBB.
std::optional<QColor> ParseLineColor(const QString& text)
{
    static const QRegularExpression hex(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
    if (hex.match(text).hasMatch())
        return QColor::fromRgb(text.mid(1).toUInt(nullptr, 16));
    return LineColorByName(text);
}

}  // namespace

QString BatchUsage()
{
    return QStringLiteral(
        "Usage: tessarine-batch --maps DIR --index FILE [--settings FILE]\n"
        "                       [--stop-after STEP] [--output FILE | --save-as FILE]\n"
        "                       [--line-width N] [--line-color COLOR] [--fill] [--no-borders]\n"
        "                       [--centers METHOD] [--names SOURCE] [--custom-list FILE]\n"
        "                       [--no-names] [--font FAMILY] [--font-size PX] [--bold]\n"
        "                       [--italic] [--font-color COLOR] [--opacity P]\n"
        "                       [--coverage SCALE [--draw-missing] [--missing-list FILE]]\n"
        "                       [--export FILE] [--corners FROM] [--check-calibrations]\n"
        "                       [--rasters]\n"
        "                       [--web DIR [--web-links BASE] [--force]]\n"
        "       tessarine-batch --maps DIR --make-index FILE.map [--width PX] [--force]\n"
        "                       [--corners FROM] [--rasters]\n"
        "\n"
        "Runs the command panel's operations in panel order, each as its button does,\n"
        "from a fresh start with the window's defaults, and prints the results log.\n"
        "\n"
        "  --maps DIR         folder of the sheets' .map calibration files\n"
        "  --index FILE       the index map's .map calibration file\n"
        "  --settings FILE    take the drawing options from a settings file the window\n"
        "                     wrote (line width and colour, fill, centre method, name\n"
        "                     source, names font and colour, opacity; not its folders);\n"
        "                     options given here win over it. \"Custom...\" as the line\n"
        "                     colour draws black, as the window does until one is picked\n"
        "  --stop-after STEP  last step to run: analyze, load, calc, borders, centers,\n"
        "                     names or save (default: save)\n"
        "  --output FILE      save the annotated JPEG to FILE instead of over the index\n"
        "                     map's image\n"
        "  --save-as FILE     save the annotated JPEG to FILE and beside it a copy of\n"
        "                     the index map's .map that names it, as Save as... does\n"
        "  --line-width N     border width in pixels, taken as typed (default: %4); a\n"
        "                     negative width keeps 1\n"
        "  --line-color COLOR border colour: a name of the window's colour list, any\n"
        "                     letter case (Black, Red, \"Money Green\", ...), or #RRGGBB\n"
        "                     (default: %5)\n"
        "  --fill             hatch the inside of each border\n"
        "  --no-borders       pass over Draw borders\n"
        "%1"
        "%2"
        "%3"
        "%6"
        "%7"
        "  --help             show this text\n"
        "  --version          print the program's version\n"
        "\n"
        "Exit status: 0 every step ran to its end; 1 a step stopped on an input problem\n"
        "the log reports, or the next step could not run; 2 a wrong command line;\n"
        "3 an error ended a step (its text on standard error).\n")
        .arg(NamesUsage(), CoverageUsage(), IndexToolsUsage(), QString::number(kLineWidthSetting.fallback),
             QString::fromLatin1(LineColors()[kDefaultLineColorIndex].name), CalibrationUsage(), WebUsage());
}

ParsedCommandLine ParseBatchCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption maps(QStringLiteral("maps"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption index(QStringLiteral("index"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption stopAfter(QStringLiteral("stop-after"), QString(), QStringLiteral("STEP"));
    const QCommandLineOption output(QStringLiteral("output"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption saveAs(QStringLiteral("save-as"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption lineWidth(QStringLiteral("line-width"), QString(), QStringLiteral("N"));
    const QCommandLineOption lineColor(QStringLiteral("line-color"), QString(), QStringLiteral("COLOR"));
    const QCommandLineOption fill(QStringLiteral("fill"));
    const QCommandLineOption noBorders(QStringLiteral("no-borders"));
    const QCommandLineOption settings(QStringLiteral("settings"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption help(QStringLiteral("help"));
    parser.addOptions({maps, index, settings, stopAfter, output, saveAs, lineWidth, lineColor, fill, noBorders, help});
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOption(version);
    AddNamesOptions(parser);
    AddCoverageOptions(parser);
    AddIndexToolsOptions(parser);
    AddCalibrationOptions(parser);
    AddWebOptions(parser);

    ParsedCommandLine result;
    if (!parser.parse(arguments)) {
        result.error = parser.errorText();
        return result;
    }
    if (parser.isSet(help)) {
        result.helpRequested = true;
        return result;
    }
    if (parser.isSet(version)) {
        result.versionRequested = true;
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        result.error = QStringLiteral("Unexpected argument: %1").arg(parser.positionalArguments().first());
        return result;
    }
    BatchOptions options;
    if (const auto error = ReadIndexToolsOptions(parser, options.indexTools)) {
        result.error = *error;
        return result;
    }
    if (!options.indexTools.makeIndexFile.isEmpty()) {
        if (!parser.isSet(maps) || parser.isSet(index)) {
            result.error = QStringLiteral("--make-index needs --maps and takes no --index.");
            return result;
        }
    } else if (!parser.isSet(maps) || !parser.isSet(index)) {
        result.error = QStringLiteral("Both --maps and --index are required.");
        return result;
    }
    options.mapsDir = parser.value(maps);
    options.indexMapFile = parser.value(index);
    options.outputFile = parser.value(output);
    options.saveAsFile = parser.value(saveAs);
    if (parser.isSet(output) && parser.isSet(saveAs)) {
        result.error = QStringLiteral("--output and --save-as cannot be combined: give one.");
        return result;
    }
    options.drawBorders = !parser.isSet(noBorders);
    if (parser.isSet(settings)) {
        const QString path = parser.value(settings);
        if (!QFileInfo(path).isFile()) {
            result.error = QStringLiteral("Settings file not found: %1").arg(path);
            return result;
        }
        ApplyStoredSettings(ReadStoredSettings(IniFile(path)), options);
    }
    if (parser.isSet(fill))
        options.fill = true;
    if (parser.isSet(lineWidth))
        options.lineWidthText = parser.value(lineWidth);
    if (parser.isSet(lineColor)) {
        const auto color = ParseLineColor(parser.value(lineColor));
        if (!color) {
            result.error = QStringLiteral("Unknown line colour: %1").arg(parser.value(lineColor));
            return result;
        }
        options.lineColor = *color;
    }
    // Every option group is read; the first refusal is the one reported.
    for (auto error : {ReadNamesOptions(parser, options.names), ReadCoverageOptions(parser, options.coverage),
                       ReadCalibrationOptions(parser, options.calibration), ReadWebOptions(parser, options.web)}) {
        if (error) {
            result.error = *error;
            return result;
        }
    }
    if (parser.isSet(stopAfter)) {
        const QString name = parser.value(stopAfter);
        bool known = false;
        for (const auto& [stepName, step] : kStepNames) {
            if (name == QLatin1StringView(stepName)) {
                options.stopAfter = step;
                known = true;
            }
        }
        if (!known) {
            result.error = QStringLiteral("Unknown step: %1").arg(name);
            return result;
        }
    }
    if (!options.web.dir.isEmpty() && options.stopAfter < BatchStep::Calc) {
        result.error = QStringLiteral("--web needs the steps up to calc: they place the sheets on the picture.");
        return result;
    }
    result.options = options;
    return result;
}
