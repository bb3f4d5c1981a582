// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Large inputs for the scale tests and the benchmarks: a folder of many
// sheets and a sheet with many corners, inside the index map of IndexMap().

#include "MapFiles.h"

#include <QStorageInfo>
#include <QString>

#include <utility>
#include <vector>

namespace scalemaps {

// A template for QTemporaryDir: in memory when /dev/shm has room, since
// creating thousands of files on a busy disk can take minutes.
inline QString ScratchTemplate()
{
    const QStorageInfo shm(QStringLiteral("/dev/shm"));
    const bool roomy = shm.isValid() && shm.isReady() && !shm.isReadOnly() && shm.bytesAvailable() > (qint64{512} << 20);
    return (roomy ? QStringLiteral("/dev/shm") : QDir::tempPath()) + QStringLiteral("/tessarine-scale-XXXXXX");
}

// The index map's border: 30..40 east, 50..60 north.
inline QByteArray IndexMap() { return testfiles::IndexMap("index.jpg", 1000, 800, 60, 50, 30, 40); }

// Zero-padded, so the folder lists the sheets in number order.
inline QString SheetFile(int i) { return QStringLiteral("s%1.map").arg(i, 5, 10, QLatin1Char('0')); }
inline QString SheetName(int i) { return QStringLiteral("Sheet %1").arg(i); }

// Every seventh sheet, from sheet 0 on, reaches past the index map's east side.
inline bool SheetInside(int i) { return i % 7 != 0; }

inline int InsideCount(int count) { return count - (count + 6) / 7; }

inline void WriteSheets(const QString& dir, int count)
{
    for (int i = 0; i < count; ++i) {
        const double west = 31 + (i % 80) * 0.1;
        const double north = 59 - (i / 80 % 80) * 0.1;
        const double east = SheetInside(i) ? west + 0.1 : 41;
        testfiles::Write(dir + "/" + SheetFile(i),
                         testfiles::Sheet(SheetName(i), SheetName(i) + ".jpg",
                                          {{west, north}, {east, north}, {east, north - 0.1}, {west, north - 0.1}}));
    }
}

// (lon, lat) corners spread over the inside of the index map, with exact
// thousandths so the log's numbers are known.
inline std::vector<std::pair<double, double>> ManyCorners(int count)
{
    std::vector<std::pair<double, double>> corners;
    corners.reserve(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k)
        corners.emplace_back(31 + (k % 1000) * 0.008, 51 + (k / 1000) * 0.25);
    return corners;
}

}  // namespace scalemaps
