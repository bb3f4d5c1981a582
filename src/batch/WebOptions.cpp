// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/WebOptions.h"

namespace {

const QCommandLineOption kWeb(QStringLiteral("web"), QString(), QStringLiteral("DIR"));
const QCommandLineOption kWebLinks(QStringLiteral("web-links"), QString(), QStringLiteral("BASE"));
const QCommandLineOption kCatalogue(QStringLiteral("catalogue"), QString(), QStringLiteral("FILE"));

}  // namespace

void AddWebOptions(QCommandLineParser& parser) { parser.addOptions({kWeb, kWebLinks, kCatalogue}); }

QString WebUsage()
{
    return QStringLiteral(
        "  --web DIR          after the steps, write a web index into DIR: index.html\n"
        "                     (the picture with a link over every usable sheet, and a\n"
        "                     table of every sheet), sheets.geojson (OpenIndexMaps) and\n"
        "                     the picture as JPEG; the steps must reach calc. A folder\n"
        "                     that is not empty is refused without --force\n"
        "  --web-links BASE   links start with BASE (a URL or a folder) instead of the\n"
        "                     path from DIR to the maps folder\n"
        "  --catalogue FILE   join the rows of the CSV file FILE to the sheets of\n"
        "                     sheets.geojson by their fileName (else label) column\n");
}

std::optional<QString> ReadWebOptions(const QCommandLineParser& parser, WebBatchOptions& options)
{
    options.dir = parser.value(kWeb);
    options.linkBase = parser.value(kWebLinks);
    options.catalogue = parser.value(kCatalogue);
    options.force = parser.isSet(QStringLiteral("force"));
    if (parser.isSet(kWeb) && options.dir.isEmpty())
        return QStringLiteral("--web needs a folder name.");
    if (parser.isSet(kWebLinks) && !parser.isSet(kWeb))
        return QStringLiteral("--web-links needs --web.");
    if (parser.isSet(kCatalogue) && !parser.isSet(kWeb))
        return QStringLiteral("--catalogue needs --web.");
    if (parser.isSet(kCatalogue) && options.catalogue.isEmpty())
        return QStringLiteral("--catalogue needs a file name.");
    return std::nullopt;
}
