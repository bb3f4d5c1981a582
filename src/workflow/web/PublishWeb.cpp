// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/web/PublishWeb.h"

#include "core/Errors.h"
#include "core/SafeWrite.h"
#include "geometry/Nomenclature.h"
#include "workflow/coverage/Coverage.h"
#include "workflow/web/LeafletFiles.h"
#include "workflow/web/OpenIndexSheets.h"
#include "workflow/web/OverviewTiles.h"
#include "workflow/web/PublishFolder.h"
#include "workflow/web/SheetLinks.h"
#include "workflow/web/Thumbnails.h"
#include "workflow/web/TileFolder.h"
#include "workflow/web/WebPage.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Every sheet's link and the name drawn on it (empty when none); empty
// links for sheets that are not usable.
struct WebIndexLinks {
    std::vector<QString> links;
    std::vector<QString> names;
};

bool HasPositions(const TSingleMap& sheet) { return sheet.IsOk && sheet.Pixels.size() >= 3; }

// The missing cells of the coverage report, north to south, west to east.
std::vector<SheetCell> MissingCells(const MapData& data, std::optional<int> scale)
{
    std::vector<SheetCell> cells;
    if (!scale || !data.IndexMap.IsOk || data.GoodMapsCount <= 0)
        return cells;
    const CoverageReport report = ComputeCoverage(data, *scale);
    for (std::size_t k : report.missing)
        cells.push_back(report.inside[k]);
    return cells;
}

WebPageFrame PageFrame(const TSingleMap& index)
{
    WebPageFrame frame;
    if (index.LatLon.size() >= 4 && index.Pixels.size() >= 3) {
        frame.west = index.LatLon[0].Lon;
        frame.north = index.LatLon[0].Lat;
        frame.east = index.LatLon[1].Lon;
        frame.south = index.LatLon[3].Lat;
        frame.right = index.Pixels[1].X;
        frame.bottom = index.Pixels[2].Y;
    }
    return frame;
}

WebPageContent PageContent(const Workspace& ws, const WebIndexLinks& links, QByteArray geoJson, std::size_t missing)
{
    WebPageContent page;
    page.title = QStringLiteral("Sheet index: %1").arg(QFileInfo(ws.indexMapFile).fileName());
    page.width = ws.workingImage.width();
    page.height = ws.workingImage.height();
    page.maxZoom = TileMaxZoom(ws.workingImage.size());
    page.frame = PageFrame(ws.data.IndexMap);
    page.geoJson = std::move(geoJson);
    page.missing = missing;
    const auto& maps = ws.data.Maps;
    for (std::size_t i = 0; i < maps.size(); ++i) {
        const TSingleMap& sheet = maps[i];
        WebPageSheet s;
        s.label = links.names[i].isEmpty() ? sheet.MapName : links.names[i];
        s.file = sheet.FileName;
        if (const auto cell = StandardSheetOf(sheet)) {
            s.nomenclature = cell->name;
            s.scale = cell->scale;
        }
        s.usable = HasPositions(sheet);
        s.problem = SheetProblemText(sheet.Problem);
        if (s.usable) {
            s.link = links.links[i];
            const auto [xs, xe] = std::minmax_element(sheet.Pixels.begin(), sheet.Pixels.end(),
                                                      [](const TPixel& a, const TPixel& b) { return a.X < b.X; });
            const auto [ys, ye] = std::minmax_element(sheet.Pixels.begin(), sheet.Pixels.end(),
                                                      [](const TPixel& a, const TPixel& b) { return a.Y < b.Y; });
            s.left = xs->X;
            s.right = xe->X;
            s.top = ys->Y;
            s.bottom = ye->Y;
        }
        page.sheets.push_back(std::move(s));
    }
    return page;
}

WebIndexLinks CollectWebLinks(const MapData& data, const WebIndexOptions& options)
{
    WebIndexLinks result;
    const QString folder = SheetLinkFolder(options.dir, options.mapsDir, options.linkBase);
    for (std::size_t i = 0; i < data.Maps.size(); ++i) {
        const TSingleMap& sheet = data.Maps[i];
        result.links.push_back(sheet.IsOk ? folder + EncodePath(sheet.ImageFile) : QString());
        result.names.push_back(options.nameSource == kNoNameSource ? QString()
                                                                   : NameText(data, i, options.nameSource));
    }
    return result;
}

// The catalogue of the options, when one is named; nothing without one.
// The reason it cannot be read, when it is named but cannot be.
QString LoadCatalogue(const QString& path, std::optional<Catalogue>& catalogue)
{
    if (path.isEmpty())
        return QString();
    auto read = ReadCatalogue(path);
    if (const auto* message = std::get_if<QString>(&read))
        return *message;
    catalogue = std::move(std::get<Catalogue>(read));
    return QString();
}

}  // namespace

bool FolderHoldsFiles(const QString& dir)
{
    return QFileInfo::exists(dir) &&
           !QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).isEmpty();
}

StepOutcome PublishWeb(Workspace& ws, const WebIndexOptions& options, const std::function<void()>& alongside)
{
    const auto& maps = ws.data.Maps;
    const bool noPositions = ws.workingImage.isNull() || std::none_of(maps.begin(), maps.end(), HasPositions);
    const bool refused = !options.force && FolderHoldsFiles(options.dir);
    const qint64 tileCount = OverviewTileCount(ws.workingImage.size());
    const qint64 total = tileCount + (options.thumbnails ? ThumbnailCount(ws.data) : 0);
    std::optional<Catalogue> catalogue;
    const QString unreadCatalogue = LoadCatalogue(options.catalogue, catalogue);
    // The tiles take the longest and need only the picture: they are made
    // while `alongside` runs, and given up when it fails.
    std::optional<TileFolder> tiles;
    const auto startTiles = [&](TileFolder::When when) {
        MakeFolders(options.dir);
        tiles.emplace(options.dir, ws.workingImage, options.progress, total, when);
    };
    QString failure;
    const bool folderExisted = QFileInfo::exists(options.dir);
    if (alongside && !noPositions && !refused && unreadCatalogue.isEmpty()) {
        try {
            startTiles(TileFolder::When::InBackground);
        } catch (const TessError& error) {
            failure = error.text();
        }
    }
    if (alongside) {
        try {
            alongside();
        } catch (...) {
            tiles.reset();
            if (!folderExisted)
                QDir().rmdir(options.dir);  // only when nothing else has come into it
            throw;
        }
    }

    ws.log.blank();
    ws.log.append(QStringLiteral("Publishing web index..."));
    ws.log.processPendingEvents();
    if (noPositions) {
        ws.log.append(QStringLiteral("Web index not written: no sheet has its points calculated"));
        return StepOutcome::Stopped;
    }
    if (refused) {
        ws.log.append(QStringLiteral("Web index not written: %1 is not empty").arg(options.dir));
        return StepOutcome::Stopped;
    }
    const auto cancelled = [&ws, &options] {
        ws.log.append(QStringLiteral("Publishing cancelled: %1 left as it was").arg(options.dir));
        return StepOutcome::Stopped;
    };
    if (!unreadCatalogue.isEmpty()) {
        ws.log.append(QStringLiteral("Web index not written: ") + unreadCatalogue);
        return StepOutcome::Stopped;
    }
    try {
        if (!failure.isEmpty())
            throw TessError(failure);
        // Tiles go to the disk as they are made: those of a large overview
        // would not fit in memory together.
        if (!tiles)
            startTiles(TileFolder::When::OnFinish);
        const WebIndexLinks links = CollectWebLinks(ws.data, options);
        const std::vector<SheetCell> missing = MissingCells(ws.data, ws.coverageScale);
        if (!tiles->finish())
            return cancelled();
        StagedFolder leaflet(options.dir, QString::fromLatin1(kLeafletFolder));
        leaflet.writeAll(LeafletFiles());
        std::vector<StagedFolder*> folders{&leaflet, &tiles->folder()};
        SheetThumbnails thumbs;
        std::optional<StagedFolder> thumbFolder;
        if (options.thumbnails) {
            auto made = MakeThumbnails(ws, options.mapsDir, QDir(options.dir).filePath(QStringLiteral("thumbs")),
                                       options.progress, tileCount, total);
            if (!made)
                return cancelled();
            thumbs = std::move(*made);
            thumbFolder.emplace(options.dir, QStringLiteral("thumbs"));
            thumbFolder->writeAll(thumbs.files);
            folders.push_back(&*thumbFolder);
        }
        std::vector<QString> thumbLinks;
        for (const QString& name : thumbs.names)
            thumbLinks.push_back(name.isEmpty() ? QString() : QStringLiteral("thumbs/") + EncodePath(name));
        const OpenIndexSheets sheets =
            CollectOpenIndexSheets(ws.data, links.links, thumbLinks, missing, catalogue ? &*catalogue : nullptr);
        QByteArray geoJson = WriteOpenIndexMap(sheets.features);
        const QByteArray page = WriteWebPage(PageContent(ws, links, geoJson, missing.size()));
        // The page, its GeoJSON, tiles, thumbnails and Leaflet belong together: all or none.
        ReplacePublishedFiles(options.dir, folders,
                              {{kWebGeoJsonFile.toString(), std::move(geoJson)}, {kWebPageFile.toString(), page}});
        if (catalogue) {
            for (const QString& line : CatalogueReport(options.catalogue, *catalogue, sheets.keys, sheets.matches))
                ws.log.append(line);
        }
        const auto linked = std::count_if(maps.begin(), maps.end(), HasPositions);
        const auto thumbCount = std::count_if(thumbs.names.begin(), thumbs.names.end(), [](const QString& n) { return !n.isEmpty(); });
        const QString made = options.thumbnails ? QStringLiteral(", %1 tiles and %2 thumbnails").arg(tileCount).arg(thumbCount)
                                                : QStringLiteral(" and %1 tiles").arg(tileCount);
        ws.log.append(QStringLiteral("Published %1 sheets: %2, %3%4 in %5")
                          .arg(linked)
                          .arg(kWebPageFile.toString(), kWebGeoJsonFile.toString(), made, options.dir));
    } catch (const TessError& error) {
        ws.log.append(QStringLiteral("Failed to publish. Error message:\n") + error.text());
        return StepOutcome::Stopped;
    }
    return StepOutcome::Completed;
}
