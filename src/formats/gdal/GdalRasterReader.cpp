// SPDX-License-Identifier: GPL-3.0-or-later
// The run-time module that reads georeferenced images through GDAL. The
// rest of the program sees only RasterFile records, and loads this module
// only when a run reads images.
#include "formats/gdal/GdalCall.h"
#include "formats/gdal/RasterFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <cpl_conv.h>
#include <cpl_error.h>
#include <cpl_string.h>
#include <gdal.h>
#include <ogr_api.h>
#include <ogr_srs_api.h>

#include <algorithm>
#include <exception>
#include <memory>

namespace {

struct DatasetCloser {
    void operator()(void* ds) const { GDALClose(ds); }
};
using Dataset = std::unique_ptr<void, DatasetCloser>;

struct StringListFree {
    void operator()(char** list) const { CSLDestroy(list); }
};

// The extensions GDAL's raster drivers claim, lower case: a file with one
// that GDAL cannot open is a damaged image, any other is no image at all.
QSet<QString> RasterExtensions()
{
    QSet<QString> extensions;
    for (int i = 0; i < GDALGetDriverCount(); ++i) {
        GDALDriverH driver = GDALGetDriver(i);
        if (!GDALGetMetadataItem(driver, GDAL_DCAP_RASTER, nullptr))
            continue;
        const QString list = QString::fromUtf8(GDALGetMetadataItem(driver, GDAL_DMD_EXTENSIONS, nullptr));
        for (const QString& e : list.split(u' ', Qt::SkipEmptyParts))
            extensions.insert(e.toLower());
    }
    return extensions;
}

QString Text(const char* s) { return s ? QString::fromUtf8(s) : QString(); }

// A system known by its EPSG code is passed on as that code: writing out
// its WKT costs more than reading the whole header.
QByteArray ToWkt(OGRSpatialReferenceH srs)
{
    const char* authority = OSRGetAuthorityName(srs, nullptr);
    const char* code = OSRGetAuthorityCode(srs, nullptr);
    if (authority && code && EQUAL(authority, "EPSG"))
        return QByteArray("EPSG:") + code;
    char* wkt = nullptr;
    const char* const options[] = {"FORMAT=WKT2_2019", nullptr};
    if (OSRExportToWktEx(srs, &wkt, options) != OGRERR_NONE) {
        CPLFree(wkt);
        return {};
    }
    QByteArray out(wkt);
    CPLFree(wkt);
    return out;
}

QString CrsName(OGRSpatialReferenceH srs) { return Text(OSRGetName(srs)); }

// A worldfile image's coordinate system from the .prj beside it, which
// GDAL itself does not read for such images; ESRI or OGC WKT.
void CrsFromPrj(const QString& dir, const RasterCandidate& candidate, RasterFile& r)
{
    const QString stem = QFileInfo(candidate.name).completeBaseName();
    for (const QString& sibling : candidate.siblings) {
        const QFileInfo info(sibling);
        if (info.suffix().compare(u"prj", Qt::CaseInsensitive) != 0 ||
            info.completeBaseName().compare(stem, Qt::CaseInsensitive) != 0)
            continue;
        QFile file(dir + sibling);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = file.read(1 << 20).trimmed();
        OGRSpatialReferenceH srs = OSRNewSpatialReference(nullptr);
        if (OSRSetFromUserInput(srs, text.constData()) == OGRERR_NONE) {
            r.crsWkt = ToWkt(srs);
            r.crsName = CrsName(srs);
        }
        OSRDestroySpatialReference(srs);
        return;
    }
}

// The georeferencing's own system first; a BSB chart that GDAL gives a
// transform from its points keeps its system with the points.
void ReadCrs(GDALDatasetH ds, bool fromGcps, RasterFile& r)
{
    OGRSpatialReferenceH srs = fromGcps ? GDALGetGCPSpatialRef(ds) : GDALGetSpatialRef(ds);
    if (!srs)
        srs = fromGcps ? GDALGetSpatialRef(ds) : GDALGetGCPSpatialRef(ds);
    if (!srs)
        return;
    r.crsWkt = ToWkt(srs);
    r.crsName = CrsName(srs);
}

// The NEATLINE of a GeoPDF, else a BSB chart's cutline: a polygon in the
// raster's coordinate system, its outer ring's vertices as they are.
void ReadNeatline(GDALDatasetH ds, RasterFile& r)
{
    const char* wkt = GDALGetMetadataItem(ds, "NEATLINE", nullptr);
    if (!wkt || !*wkt)
        wkt = GDALGetMetadataItem(ds, "BSB_CUTLINE", nullptr);
    if (!wkt || !*wkt)
        return;
    OGRGeometryH geometry = nullptr;
    char* cursor = const_cast<char*>(wkt);
    if (OGR_G_CreateFromWkt(&cursor, nullptr, &geometry) != OGRERR_NONE || !geometry)
        return;
    OGRGeometryH polygon = geometry;
    if (wkbFlatten(OGR_G_GetGeometryType(polygon)) == wkbMultiPolygon && OGR_G_GetGeometryCount(polygon) > 0)
        polygon = OGR_G_GetGeometryRef(polygon, 0);
    if (wkbFlatten(OGR_G_GetGeometryType(polygon)) == wkbPolygon && OGR_G_GetGeometryCount(polygon) > 0) {
        OGRGeometryH ring = OGR_G_GetGeometryRef(polygon, 0);
        const int n = OGR_G_GetPointCount(ring);
        for (int i = 0; i < n; ++i)
            r.neatline.push_back({OGR_G_GetX(ring, i), OGR_G_GetY(ring, i)});
        if (r.neatline.size() > 1 && r.neatline.front().x == r.neatline.back().x &&
            r.neatline.front().y == r.neatline.back().y)
            r.neatline.pop_back();
    }
    OGR_G_DestroyGeometry(geometry);
}

QString Title(GDALDatasetH ds)
{
    for (const char* key : {"TITLE", "TIFFTAG_DOCUMENTNAME", "DOCUMENTNAME"}) {
        const QString title = Text(GDALGetMetadataItem(ds, key, nullptr)).trimmed();
        if (!title.isEmpty())
            return title;
    }
    return {};
}

std::optional<RasterFile> Read(const QString& dir, const RasterCandidate& candidate, const QSet<QString>& claimed)
{
    RasterFile r;
    r.name = candidate.name;
    // Only the names that share the file's stem: GDAL looks for its
    // sidecars among them instead of listing the folder for every file.
    std::unique_ptr<char*, StringListFree> siblings(nullptr);
    {
        char** list = nullptr;
        for (const QString& s : candidate.siblings)
            list = CSLAddString(list, s.toUtf8().constData());
        if (!list)
            list = CSLAddString(list, candidate.name.toUtf8().constData());
        siblings.reset(list);
    }
    CPLErrorReset();
    const QByteArray path = QFile::encodeName(dir + candidate.name);
    Dataset ds(GDALOpenEx(path.constData(), GDAL_OF_RASTER | GDAL_OF_READONLY, nullptr, nullptr, siblings.get()));
    if (!ds) {
        if (!claimed.contains(QFileInfo(candidate.name).suffix().toLower()))
            return std::nullopt;
        r.detail = Text(CPLGetLastErrorMsg());
        return r;
    }
    GDALDatasetH h = ds.get();
    r.readable = true;
    r.driver = Text(GDALGetDriverShortName(GDALGetDatasetDriver(h)));
    r.title = Title(h);
    r.width = GDALGetRasterXSize(h);
    r.height = GDALGetRasterYSize(h);
    std::array<double, 6> gt{};
    if (GDALGetGeoTransform(h, gt.data()) == CE_None)
        r.geoTransform = gt;
    const int gcpCount = GDALGetGCPCount(h);
    const GDAL_GCP* gcps = GDALGetGCPs(h);
    for (int i = 0; gcps && i < gcpCount; ++i)
        r.gcps.push_back({Text(gcps[i].pszId), {gcps[i].dfGCPPixel, gcps[i].dfGCPLine}, {gcps[i].dfGCPX, gcps[i].dfGCPY}});
    ReadCrs(h, !r.geoTransform && !r.gcps.empty(), r);
    if (r.crsWkt.isEmpty())
        CrsFromPrj(dir, candidate, r);
    ReadNeatline(h, r);
    return r;
}

}  // namespace

extern "C" Q_DECL_EXPORT void TessarineReadRaster(const QString& dir, const RasterCandidate& candidate,
                                                   std::optional<RasterFile>& out)
{
    const GdalCall call;
    static const QSet<QString> claimed = RasterExtensions();
    // A driver that throws on a damaged file must not end the scan.
    try {
        out = Read(dir, candidate, claimed);
    } catch (const std::exception& error) {
        RasterFile damaged;
        damaged.name = candidate.name;
        damaged.detail = QString::fromUtf8(error.what());
        out = damaged;
    }
}
