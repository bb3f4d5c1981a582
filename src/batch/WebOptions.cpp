// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/WebOptions.h"

namespace {

const QCommandLineOption kWeb(QStringLiteral("web"), QString(), QStringLiteral("DIR"));
const QCommandLineOption kWebLinks(QStringLiteral("web-links"), QString(), QStringLiteral("BASE"));
const QCommandLineOption kCatalogue(QStringLiteral("catalogue"), QString(), QStringLiteral("FILE"));
const QCommandLineOption kNoThumbnails(QStringLiteral("no-thumbnails"));
const QCommandLineOption kProgress(QStringLiteral("progress"));

}  // namespace

void AddWebOptions(QCommandLineParser& parser)
{
    parser.addOptions({kWeb, kWebLinks, kCatalogue, kNoThumbnails, kProgress});
}

QString WebUsage()
{
    return QStringLiteral(
        "  --web DIR          after the steps, write a web index into DIR: index.html\n"
        "                     (a map of the picture's tiles/ with every sheet's outline,\n"
        "                     name and links, and a table of every sheet), Leaflet's\n"
        "                     files, sheets.geojson (OpenIndexMaps) and the sheets'\n"
        "                     thumbnails (thumbs/); the steps must reach calc. A folder\n"
        "                     that is not empty is refused without --force\n"
        "  --web-links BASE   links start with BASE (a URL or a folder) instead of the\n"
        "                     path from DIR to the maps folder\n"
        "  --catalogue FILE   join the rows of the CSV file FILE to the sheets of\n"
        "                     sheets.geojson by their fileName (else label) column\n"
        "  --no-thumbnails    no thumbnails of the sheets in the web index\n"
        "  --progress         progress lines of the georeferenced images read and of\n"
        "                     the web index on standard error\n");
}

std::optional<QString> ReadWebOptions(const QCommandLineParser& parser, WebBatchOptions& options)
{
    options.dir = parser.value(kWeb);
    options.linkBase = parser.value(kWebLinks);
    options.catalogue = parser.value(kCatalogue);
    options.force = parser.isSet(QStringLiteral("force"));
    options.thumbnails = !parser.isSet(kNoThumbnails);
    options.progress = parser.isSet(kProgress);
    if (parser.isSet(kWeb) && options.dir.isEmpty())
        return QStringLiteral("--web needs a folder name.");
    for (const QCommandLineOption* option : {&kWebLinks, &kCatalogue, &kNoThumbnails}) {
        if (parser.isSet(*option) && !parser.isSet(kWeb))
            return QStringLiteral("--%1 needs --web.").arg(option->names().constFirst());
    }
    if (options.progress && !parser.isSet(kWeb) && !parser.isSet(QStringLiteral("rasters")))
        return QStringLiteral("--progress needs --web or --rasters.");
    if (parser.isSet(kCatalogue) && options.catalogue.isEmpty())
        return QStringLiteral("--catalogue needs a file name.");
    return std::nullopt;
}
