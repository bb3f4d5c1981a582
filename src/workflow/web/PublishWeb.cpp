// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/web/PublishWeb.h"

#include "core/Errors.h"
#include "core/SafeWrite.h"
#include "geometry/Nomenclature.h"
#include "imaging/JpegCodec.h"
#include "workflow/coverage/Coverage.h"
#include "workflow/newindex/IndexProjection.h"
#include "workflow/web/OpenIndexSheets.h"
#include "workflow/web/SheetLinks.h"
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

WebPageContent PageContent(const Workspace& ws, const WebIndexLinks& links, const QString& imageName,
                           const std::vector<SheetCell>& missing)
{
    WebPageContent page;
    page.title = QStringLiteral("Sheet index: %1").arg(QFileInfo(ws.indexMapFile).fileName());
    page.imageLink = EncodePath(imageName);
    page.width = ws.workingImage.width();
    page.height = ws.workingImage.height();
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
            s.pixels = sheet.Pixels;
        }
        page.sheets.push_back(std::move(s));
    }
    if (!missing.empty()) {
        const IndexProjection project(ws.data.IndexMap);
        for (const SheetCell& cell : missing) {
            const auto corners = CellPixels(project, cell);
            page.missing.push_back({cell.name, {corners.begin(), corners.end()}});
        }
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
// False when it is named but cannot be read, said in the log.
bool LoadCatalogue(Workspace& ws, const QString& path, std::optional<Catalogue>& catalogue)
{
    if (path.isEmpty())
        return true;
    auto read = ReadCatalogue(path);
    if (const auto* message = std::get_if<QString>(&read)) {
        ws.log.append(QStringLiteral("Web index not written: ") + *message);
        return false;
    }
    catalogue = std::move(std::get<Catalogue>(read));
    return true;
}

}  // namespace

bool FolderHoldsFiles(const QString& dir)
{
    return QFileInfo::exists(dir) &&
           !QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).isEmpty();
}

StepOutcome PublishWeb(Workspace& ws, const WebIndexOptions& options)
{
    ws.log.blank();
    ws.log.append(QStringLiteral("Publishing web index..."));
    ws.log.processPendingEvents();

    const auto& maps = ws.data.Maps;
    if (ws.workingImage.isNull() || std::none_of(maps.begin(), maps.end(), HasPositions)) {
        ws.log.append(QStringLiteral("Web index not written: no sheet has its points calculated"));
        return StepOutcome::Stopped;
    }
    if (!options.force && FolderHoldsFiles(options.dir)) {
        ws.log.append(QStringLiteral("Web index not written: %1 is not empty").arg(options.dir));
        return StepOutcome::Stopped;
    }
    const QString imageName = QFileInfo(ws.data.IndexMap.FileName).fileName();
    // The overview itself is never replaced by its annotated picture. Two
    // files that do not exist compare equal, so only an overview that is
    // there can be in the way.
    const QFileInfo overview(ws.data.IndexMap.FileName);
    if (overview.exists() && QFileInfo(QDir(options.dir).filePath(imageName)) == overview) {
        ws.log.append(QStringLiteral("Web index not written: it would replace the index map's image %1").arg(imageName));
        return StepOutcome::Stopped;
    }
    std::optional<Catalogue> catalogue;
    if (!LoadCatalogue(ws, options.catalogue, catalogue))
        return StepOutcome::Stopped;
    try {
        MakeFolders(options.dir);
        const QDir dir(options.dir);
        const WebIndexLinks links = CollectWebLinks(ws.data, options);
        const std::vector<SheetCell> missing = MissingCells(ws.data, ws.coverageScale);
        const OpenIndexSheets sheets =
            CollectOpenIndexSheets(ws.data, links.links, missing, catalogue ? &*catalogue : nullptr);
        // The page, its picture and its GeoJSON describe each other: all or none.
        ReplaceFilesSafely({{dir.filePath(imageName), EncodeJpeg(ws.workingImage, kSaveQuality)},
                            {dir.filePath(kWebGeoJsonFile.toString()),
                             WriteOpenIndexMap(sheets.features)},
                            {dir.filePath(kWebPageFile.toString()), WriteWebPage(PageContent(ws, links, imageName, missing))}});
        if (catalogue) {
            for (const QString& line : CatalogueReport(options.catalogue, *catalogue, sheets.keys, sheets.matches))
                ws.log.append(line);
        }
        const auto linked = std::count_if(maps.begin(), maps.end(), HasPositions);
        ws.log.append(QStringLiteral("Published %1 sheets: %2, %3 and %4 in %5")
                          .arg(linked)
                          .arg(kWebPageFile.toString(), kWebGeoJsonFile.toString(), imageName, options.dir));
    } catch (const TessError& error) {
        ws.log.append(QStringLiteral("Failed to publish. Error message:\n") + error.text());
        return StepOutcome::Stopped;
    }
    return StepOutcome::Completed;
}
