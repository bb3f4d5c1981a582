// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/panel/Analyze.h"

#include "formats/ozi/MapDirectory.h"
#include "formats/ozi/MapReader.h"
#include "formats/ozi/TextFile.h"
#include "workflow/calibration/SheetCalibration.h"
#include "workflow/panel/RasterSheets.h"

#include <QFile>
#include <QFileInfo>

namespace {

// False when the index map's point lines are bad: the analysis stops there.
bool ReadIndexMap(Workspace& ws, const QStringList& lines)
{
    TSingleMap& index = ws.data.IndexMap;
    // A rejected index map keeps no corners of the one before it: the
    // sheets are then tested against no border, as on the first run.
    const auto reject = [&](const QString& why) {
        ws.log.append(why);
        index.IsOk = false;
        index.Pixels.clear();
        index.LatLon.clear();
    };
    const auto m = FindIndexMapMmpnum(lines);
    if (!m) {
        reject(QStringLiteral("Index map is not 4-point border map"));
        return true;  // the directory is scanned all the same
    }
    index.Pixels.assign(4, TPixel{});
    for (int32_t k = 1; k <= 4; ++k) {
        if (!ReadMMPXY(lines, *m + k, k, index.Pixels[static_cast<std::size_t>(k - 1)])) {
            reject(QStringLiteral("Index map has no good MMPXY"));
            return false;
        }
    }
    index.LatLon.assign(4, TGeoPoint{});
    for (int32_t k = 1; k <= 4; ++k) {
        if (!ReadMMPLL(lines, *m + 4 + k, k, index.LatLon[static_cast<std::size_t>(k - 1)])) {
            reject(QStringLiteral("Index map has no good MMPLL"));
            return false;
        }
    }
    ws.log.append(QStringLiteral("Index map is ok"));
    return true;
}

// The calibrated outline, when the chosen corners want one for this sheet.
std::optional<SheetCalibration> CalibratedOutline(Workspace& ws, const MapCalibration& calibration, int32_t n)
{
    if (ws.sheetCorners == SheetCorners::Mmpll || (ws.sheetCorners == SheetCorners::Fallback && n > 0))
        return std::nullopt;
    return CalibrateSheet(calibration, WorkspaceProj(ws));
}

// The MMPLL corners into the record; a bad line fails the sheet.
void ReadMmpllCorners(Workspace& ws, const QStringList& lines, const SheetMmpnum& mmpnum, TSingleMap& sheet)
{
    const int32_t n = mmpnum.count;
    // Points are read one at a time: a count far beyond the file's
    // length ends in the list's error instead of a huge allocation. A
    // record reused from an earlier run keeps its old corners where no
    // new one is read, as a resized array would.
    auto& corners = sheet.LatLon;
    const auto count = static_cast<std::size_t>(n);
    if (corners.size() > count)
        corners.resize(count);
    for (int32_t k = 1; k <= n; ++k) {
        TGeoPoint p;
        if (!ReadMMPLL(lines, qint64{mmpnum.line} + n + k, k, p)) {
            sheet.IsOk = false;
            sheet.Problem = SheetProblem::NoGoodMmpll;
            ws.log.append(QStringLiteral("...") + SheetProblemText(sheet.Problem));
            break;
        }
        const auto at = static_cast<std::size_t>(k - 1);
        if (at < corners.size())
            corners[at] = p;
        else
            corners.push_back(p);
    }
    // A failed line proves the file holds n more lines, so this is bounded.
    corners.resize(count);
}

void ReadSheet(Workspace& ws, const QByteArray& nativePath, const QString& path, const QString& name,
               std::size_t fileCount)
{
    const QStringList lines = ReadTextLines(nativePath, path);
    const SheetMmpnum mmpnum = FindSheetMmpnum(lines);
    const int32_t n = mmpnum.count;

    ws.data.Maps.resize(fileCount);
    ws.sources.resize(fileCount);
    SheetSource& source = ws.sources.back();
    source = SheetSource{};
    TSingleMap& sheet = ws.data.Maps.back();
    sheet.FileName = name;
    sheet.ImageFile = FileNamePart(LineAt(lines, 2));
    sheet.MapName = LineAt(lines, 1);
    sheet.IsOk = true;
    sheet.Problem = SheetProblem::None;
    ws.log.append(QStringLiteral("...original map name is ") + sheet.MapName);
    source.calibration = ReadMapCalibration(lines);

    const auto calibrated = CalibratedOutline(ws, source.calibration, n);
    const bool outline = calibrated && calibrated->failure.isEmpty() && !calibrated->outline.empty();
    const auto outlineLine = [&] {
        ws.log.append(QStringLiteral("...outline from %1 calibration points").arg(calibrated->residuals.size()));
        sheet.LatLon = calibrated->outline;
        source.outline = OutlineSource::Calibration;
    };
    if (n == 0 && outline) {
        outlineLine();
    } else if (n == 0) {
        sheet.IsOk = false;
        sheet.Problem = SheetProblem::NoMmpnum;
        ws.log.append(QStringLiteral("...") + SheetProblemText(sheet.Problem));
        if (calibrated)
            ws.log.append(QStringLiteral("...no calibrated outline: ") +
                          (calibrated->failure.isEmpty() ? calibrated->outlineProblem : calibrated->failure));
    } else {
        ws.log.append(QStringLiteral("...MMPNUM = %1").arg(n));
        if (outline)
            outlineLine();
        else
            ReadMmpllCorners(ws, lines, mmpnum, sheet);
    }

    const auto count = static_cast<int32_t>(outline ? sheet.LatLon.size() : static_cast<std::size_t>(n));
    PlaceSheet(ws, sheet, count);
}

}  // namespace

void PlaceSheet(Workspace& ws, TSingleMap& sheet, int32_t count)
{
    for (int32_t k = 1; k <= count; ++k) {
        const TGeoPoint& p = sheet.LatLon[static_cast<std::size_t>(k - 1)];
        ws.log.append(QStringLiteral("...p%1 Lat=%2, Lon=%3")
                          .arg(QString::number(k), FormatGeneral(p.Lat, ws.decimalPoint),
                               FormatGeneral(p.Lon, ws.decimalPoint)));
    }
    for (int32_t k = 1; k <= count; ++k) {
        if (PointInPolygon(sheet.LatLon[static_cast<std::size_t>(k - 1)], ws.data.IndexMap.LatLon) != 1) {
            ws.log.append(QStringLiteral("...") + SheetProblemText(SheetProblem::NotInsideIndexMap));
            sheet.IsOk = false;
            if (sheet.Problem == SheetProblem::None)
                sheet.Problem = SheetProblem::NotInsideIndexMap;
            break;
        }
    }
    if (sheet.IsOk)
        ws.log.append(QStringLiteral("...is ok"));
    ws.log.blank();
}

std::optional<std::size_t> ReadMapsDirectory(Workspace& ws, QString& mapsDir, const ProgressFunction& progress)
{
    if (!mapsDir.endsWith(u'/') && !mapsDir.endsWith(u'\\'))
        mapsDir += u'/';
    std::size_t fileCount = 0;
    const QByteArray nativeDir = QFile::encodeName(mapsDir);
    for (const MapFileEntry& entry : ListMapFiles(mapsDir)) {
        ws.log.append(entry.name);
        ++fileCount;
        ReadSheet(ws, nativeDir + entry.nativeName, mapsDir + entry.name, entry.name, fileCount);
    }
    if (ws.rasterSheets)
        return ReadRasterSheets(ws, mapsDir, fileCount, progress);
    return fileCount;
}

StepOutcome Analyze(Workspace& ws, QString& mapsDir, const QString& indexMapFile, const ProgressFunction& progress)
{
    if (!QFileInfo(indexMapFile).isFile()) {
        ws.log.append(QStringLiteral("Index map file does not exist"));
        return StepOutcome::Stopped;
    }
    const QStringList indexLines = ReadTextLines(indexMapFile);
    ws.indexMapFile = indexMapFile;
    ws.data.IndexMap.IsOk = true;
    if (!ReadIndexMap(ws, indexLines))
        return StepOutcome::Stopped;

    ws.log.blank();
    const std::optional<std::size_t> read = ReadMapsDirectory(ws, mapsDir, progress);
    if (!read) {
        // As before the step: Analyze may simply be pressed again.
        ws.data.Maps.clear();
        ws.sources.clear();
        ws.log.append(QStringLiteral("Analyze cancelled: no sheet kept"));
        return StepOutcome::Stopped;
    }
    const std::size_t fileCount = *read;
    ws.missingMapsDir = fileCount == 0 && !QFileInfo(mapsDir).isDir() ? mapsDir : QString();

    ws.log.blank();
    ws.log.append(QStringLiteral("%1 map files analysed").arg(fileCount));
    int32_t good = 0;
    for (std::size_t i = 0; i < fileCount; ++i)
        good += ws.data.Maps[i].IsOk ? 1 : 0;
    ws.data.GoodMapsCount = good;
    ws.log.append(QStringLiteral("%1 map files is ok").arg(good));
    if (ws.data.IndexMap.IsOk && ws.data.GoodMapsCount > 0)
        ws.commands.apply(Transition::AnalyzeFoundUsable);
    ws.commands.apply(Transition::AnalyzeScanned);
    return StepOutcome::Completed;
}
