// SPDX-License-Identifier: GPL-3.0-or-later
// The module's thumbnails: GDAL reads a raster straight at the small size,
// choosing an overview of the file when it has one, so that a large image is
// never read whole.

#include "formats/gdal/GdalCall.h"
#include "formats/gdal/RasterFile.h"

#include <QFile>

#include <cpl_error.h>
#include <gdal.h>

#include <algorithm>
#include <vector>

namespace {

// The bands as red, green and blue: three or more bands are taken in order,
// one band through its colour table or as grey.
bool ReadPixels(GDALDatasetH ds, int w, int h, std::vector<quint32>& pixels)
{
    const int bands = GDALGetRasterCount(ds);
    if (bands < 1)
        return false;
    std::vector<GByte> planes(std::size_t(w) * std::size_t(h) * 3);
    const int used = bands >= 3 ? 3 : 1;
    for (int b = 0; b < used; ++b) {
        GDALRasterBandH band = GDALGetRasterBand(ds, b + 1);
        if (GDALRasterIO(band, GF_Read, 0, 0, GDALGetRasterXSize(ds), GDALGetRasterYSize(ds),
                         planes.data() + std::size_t(b) * std::size_t(w) * std::size_t(h), w, h, GDT_Byte, 0, 0) != CE_None)
            return false;
    }
    const std::size_t n = std::size_t(w) * std::size_t(h);
    pixels.resize(n);
    GDALColorTableH table = used == 1 ? GDALGetRasterColorTable(GDALGetRasterBand(ds, 1)) : nullptr;
    for (std::size_t i = 0; i < n; ++i) {
        quint32 r = planes[i], g = planes[i], bl = planes[i];
        if (used == 3) {
            g = planes[n + i];
            bl = planes[2 * n + i];
        } else if (table) {
            if (const GDALColorEntry* e = GDALGetColorEntry(table, planes[i])) {
                r = quint32(e->c1);
                g = quint32(e->c2);
                bl = quint32(e->c3);
            }
        }
        pixels[i] = 0xff000000u | (r << 16) | (g << 8) | bl;
    }
    return true;
}

}  // namespace

extern "C" Q_DECL_EXPORT void TessarineReadThumbnail(const QString& path, int side, RasterThumbnail& out)
{
    const GdalCall call;
    CPLErrorReset();
    GDALDatasetH ds = GDALOpenEx(QFile::encodeName(path).constData(), GDAL_OF_RASTER | GDAL_OF_READONLY, nullptr, nullptr,
                                 nullptr);
    if (!ds) {
        out.error = QString::fromUtf8(CPLGetLastErrorMsg());
        if (out.error.isEmpty())
            out.error = QStringLiteral("not an image GDAL reads");
    } else {
        const int w = GDALGetRasterXSize(ds), h = GDALGetRasterYSize(ds);
        const double scale = std::min(1.0, double(side) / double(std::max(w, h)));
        out.width = std::max(1, int(w * scale + 0.5));
        out.height = std::max(1, int(h * scale + 0.5));
        if (!ReadPixels(ds, out.width, out.height, out.pixels)) {
            out.error = QString::fromUtf8(CPLGetLastErrorMsg());
            if (out.error.isEmpty())
                out.error = QStringLiteral("no bands to read");
            out.pixels.clear();
        }
        GDALClose(ds);
    }
}
