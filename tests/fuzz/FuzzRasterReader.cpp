// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a georeferenced image, read in memory as the folder scan
// reads a file, then outlined: neither may crash, hang or leak.
#include "formats/gdal/RasterFile.h"
#include "workflow/calibration/ProjTransforms.h"
#include "workflow/calibration/RasterOutline.h"

#include <cpl_vsi.h>

#include <cstddef>
#include <cstdint>

extern "C" void TessarineReadRaster(const QString& dir, const RasterCandidate& candidate, std::optional<RasterFile>& out);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    static ProjTransforms proj;
    const char* path = "/vsimem/fuzz/sheet.tif";
    VSIFCloseL(VSIFileFromMemBuffer(path, const_cast<GByte*>(data), static_cast<vsi_l_offset>(size), FALSE));
    std::optional<RasterFile> read;
    TessarineReadRaster(QStringLiteral("/vsimem/fuzz/"), {QStringLiteral("sheet.tif"), {QStringLiteral("sheet.tif")}}, read);
    if (read)
        OutlineRaster(*read, proj);
    VSIUnlink(path);
    return 0;
}
