// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/IndexToolsOptions.h"

#include "workflow/export/ExportSheetIndex.h"
#include "workflow/newindex/IndexMapFrame.h"

#include <QFileInfo>

namespace {

const QCommandLineOption kMakeIndex(QStringLiteral("make-index"), QString(), QStringLiteral("FILE.map"));
const QCommandLineOption kWidth(QStringLiteral("width"), QString(), QStringLiteral("PX"));
const QCommandLineOption kForce(QStringLiteral("force"));
const QCommandLineOption kExport(QStringLiteral("export"), QString(), QStringLiteral("FILE"));

constexpr int kMinWidth = kMinIndexMapWidth;

}  // namespace

void AddIndexToolsOptions(QCommandLineParser& parser) { parser.addOptions({kMakeIndex, kWidth, kForce, kExport}); }

QString IndexToolsUsage()
{
    return QStringLiteral(
        "  --export FILE      after Analyze, write the index map and every analysed sheet\n"
        "                     as GeoJSON (FILE.geojson or FILE.json) or KML (FILE.kml)\n"
        "  --make-index FILE.map\n"
        "                     instead of the steps, make an index map for the sheets of\n"
        "                     --maps: the overview FILE.jpg and its calibration FILE.map\n"
        "  --width PX         the new index map's width, %1 to %2 (default: %3)\n"
        "  --force            let --make-index overwrite existing files, and --web write\n"
        "                     into a folder that is not empty\n")
        .arg(kMinWidth)
        .arg(kMaxIndexMapSide)
        .arg(kDefaultIndexMapWidth);
}

std::optional<QString> ReadIndexToolsOptions(const QCommandLineParser& parser, IndexToolsBatchOptions& options)
{
    options.exportFile = parser.value(kExport);
    if (parser.isSet(kExport) && !ExportFormatOf(options.exportFile))
        return QStringLiteral("--export FILE must end in .geojson, .json or .kml: %1").arg(options.exportFile);
    options.makeIndexFile = parser.value(kMakeIndex);
    options.force = parser.isSet(kForce);
    options.width = kDefaultIndexMapWidth;
    if (!parser.isSet(kMakeIndex)) {
        if (parser.isSet(kWidth) || (options.force && !parser.isSet(QStringLiteral("web"))))
            return QStringLiteral("--width and --force need --make-index.");
        return std::nullopt;
    }
    if (!options.exportFile.isEmpty())
        return QStringLiteral("--make-index takes no --export: the export needs an analysis.");
    if (parser.isSet(QStringLiteral("web")))
        return QStringLiteral("--make-index takes no --web: the page needs the steps up to calc.");
    if (QFileInfo(options.makeIndexFile).suffix().compare(u"map", Qt::CaseInsensitive) != 0)
        return QStringLiteral("--make-index FILE must end in .map: %1").arg(options.makeIndexFile);
    if (parser.isSet(kWidth)) {
        bool ok = false;
        options.width = parser.value(kWidth).toInt(&ok);
        if (!ok || options.width < kMinWidth || options.width > kMaxIndexMapSide)
            return QStringLiteral("--width must be a whole number from %1 to %2: %3")
                .arg(kMinWidth)
                .arg(kMaxIndexMapSide)
                .arg(parser.value(kWidth));
    }
    return std::nullopt;
}
