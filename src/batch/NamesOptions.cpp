// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/NamesOptions.h"

#include "formats/ozi/TextFile.h"

#include <QRegularExpression>

#include <array>
#include <utility>

namespace {

const QCommandLineOption kCenters(QStringLiteral("centers"), QString(), QStringLiteral("METHOD"));
const QCommandLineOption kNames(QStringLiteral("names"), QString(), QStringLiteral("SOURCE"));
const QCommandLineOption kNoNames(QStringLiteral("no-names"));
const QCommandLineOption kCustomList(QStringLiteral("custom-list"), QString(), QStringLiteral("FILE"));
const QCommandLineOption kFont(QStringLiteral("font"), QString(), QStringLiteral("FAMILY"));
const QCommandLineOption kFontSize(QStringLiteral("font-size"), QString(), QStringLiteral("PX"));
const QCommandLineOption kBold(QStringLiteral("bold"));
const QCommandLineOption kItalic(QStringLiteral("italic"));
const QCommandLineOption kFontColor(QStringLiteral("font-color"), QString(), QStringLiteral("COLOR"));
const QCommandLineOption kOpacity(QStringLiteral("opacity"), QString(), QStringLiteral("P"));

constexpr std::array<std::pair<const char*, int>, 2> kMethodNames{{
    {"mean", kArithmeticMean},
    {"barycenter", kBarycenter},
}};

constexpr std::array<std::pair<const char*, int>, 4> kSourceNames{{
    {"map", kSourceMapName},
    {"file", kSourceFileName},
    {"image", kSourceImageFile},
    {"custom", kSourceCustomList},
}};

template <std::size_t N>
std::optional<int> Lookup(const std::array<std::pair<const char*, int>, N>& names, const QString& text)
{
    for (const auto& [name, value] : names) {
        if (text == QLatin1StringView(name))
            return value;
    }
    return std::nullopt;
}

std::optional<int> IntegerIn(const QString& text, int low, int high)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

}  // namespace

void AddNamesOptions(QCommandLineParser& parser)
{
    parser.addOptions(
        {kCenters, kNames, kNoNames, kCustomList, kFont, kFontSize, kBold, kItalic, kFontColor, kOpacity});
}

QString NamesUsage()
{
    return QStringLiteral(
        "  --centers METHOD   name centres: mean (default) or barycenter\n"
        "  --names SOURCE     name source: map (the map name, default), file (the .map\n"
        "                     file's name), image (the image file's name) or custom\n"
        "  --custom-list FILE the custom names: UTF-8, one line per sheet in the order\n"
        "                     of the analysis, unusable sheets included\n"
        "  --no-names         pass over Calc for preview and Draw map names\n"
        "  --font FAMILY      names font (default: Tahoma, or the system's nearest)\n"
        "  --font-size PX     names font height in pixels, 1 to 1000 (default: 13)\n"
        "  --bold, --italic   names font style (default: regular)\n"
        "  --font-color COLOR names colour as #RRGGBB (default: #FF0000)\n"
        "  --opacity P        opacity slider position %1 to %2, alpha 8·P − 1 (default: %3)\n")
        .arg(kAlphaSetting.range.min)
        .arg(kAlphaSetting.range.max)
        .arg(kAlphaSetting.fallback);
}

std::optional<QString> ReadNamesOptions(const QCommandLineParser& parser, NamesBatchOptions& options)
{
    options.run = !parser.isSet(kNoNames);
    if (parser.isSet(kCenters)) {
        const auto method = Lookup(kMethodNames, parser.value(kCenters));
        if (!method)
            return QStringLiteral("Unknown centre method: %1").arg(parser.value(kCenters));
        options.centerMethod = *method;
    }
    if (parser.isSet(kNames)) {
        const auto source = Lookup(kSourceNames, parser.value(kNames));
        if (!source)
            return QStringLiteral("Unknown name source: %1").arg(parser.value(kNames));
        options.source = *source;
    }
    options.customListFile = parser.value(kCustomList);
    if (parser.isSet(kFont))
        options.fontFamily = parser.value(kFont);
    if (parser.isSet(kFontSize)) {
        const auto size = IntegerIn(parser.value(kFontSize), 1, 1000);
        if (!size)
            return QStringLiteral("The font size must be a whole number of pixels from 1 to 1000: %1")
                .arg(parser.value(kFontSize));
        options.fontPixelSize = *size;
    }
    // Switches only turn a style on: one a settings file turned on stays.
    if (parser.isSet(kBold))
        options.bold = true;
    if (parser.isSet(kItalic))
        options.italic = true;
    if (parser.isSet(kFontColor)) {
        static const QRegularExpression hex(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
        const QString text = parser.value(kFontColor);
        if (!hex.match(text).hasMatch())
            return QStringLiteral("The font colour must be #RRGGBB: %1").arg(text);
        options.color = QColor::fromRgb(text.mid(1).toUInt(nullptr, 16));
    }
    if (parser.isSet(kOpacity)) {
        const IntRange range = kAlphaSetting.range;
        const auto position = IntegerIn(parser.value(kOpacity), range.min, range.max);
        if (!position)
            return QStringLiteral("The opacity must be a whole number from %1 to %2: %3")
                .arg(range.min)
                .arg(range.max)
                .arg(parser.value(kOpacity));
        options.opacityPosition = *position;
    }
    return std::nullopt;
}

NameStyle MakeNameStyle(const NamesBatchOptions& options)
{
    QFont font(options.fontFamily);
    font.setPixelSize(options.fontPixelSize);
    font.setBold(options.bold);
    font.setItalic(options.italic);
    font.setUnderline(options.underline);
    font.setStrikeOut(options.strikeOut);
    return NameStyle{font, options.color, options.source, options.opacityPosition};
}

QStringList ReadCustomListFile(const QString& path) { return ReadTextLines(path); }
