// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Calibration files for tests, written into a temporary folder.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace testfiles {

inline void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    file.write(bytes);
}

inline QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

#ifdef TESSARINE_TEST_DATA
// The rows of the data file tests/data/NAME, each split at " | "; lines
// starting with # and blank lines left out; none is a fault of the test.
inline std::vector<QStringList> Rows(const QString& name)
{
    std::vector<QStringList> rows;
    for (const QString& line : QString::fromUtf8(Read(TESSARINE_TEST_DATA "/" + name)).split('\n'))
        if (!line.trimmed().isEmpty() && !line.startsWith('#'))
            rows.push_back(line.split(" | "));
    if (rows.empty())
        qFatal("no rows in tests/data/%s", qPrintable(name));
    return rows;
}
#endif

// An index map for `image` whose corners are the image's corners and the
// rectangle north..south, west..east.
inline QByteArray IndexMap(const QString& image, int width, int height, double north, double south, double west,
                           double east)
{
    QStringList l{"OziExplorer Map Data File Version 2.2", "Index", image, "1 ,Map Code,", "WGS 84,WGS 84,0,0,WGS 84",
                  "Map Projection,Mercator,PolyCal,No", "MMPNUM,4"};
    l << QStringLiteral("MMPXY,1,0,0") << QStringLiteral("MMPXY,2,%1,0").arg(width)
      << QStringLiteral("MMPXY,3,%1,%2").arg(width).arg(height) << QStringLiteral("MMPXY,4,0,%1").arg(height);
    const auto ll = [](int k, double lon, double lat) {
        return QStringLiteral("MMPLL,%1,%2,%3").arg(k).arg(lon, 0, 'g', 17).arg(lat, 0, 'g', 17);
    };
    l << ll(1, west, north) << ll(2, east, north) << ll(3, east, south) << ll(4, west, south);
    return l.join("\r\n").toUtf8() + "\r\n";
}

// A sheet with the given corners as (lon, lat) pairs.
inline QByteArray Sheet(const QString& name, const QString& image, const std::vector<std::pair<double, double>>& corners)
{
    QStringList l{"OziExplorer Map Data File Version 2.2", name, image, "1 ,Map Code,",
                  QStringLiteral("MMPNUM,%1").arg(corners.size())};
    for (std::size_t k = 1; k <= corners.size(); ++k)
        l << QStringLiteral("MMPXY,%1,0,0").arg(k);
    for (std::size_t k = 1; k <= corners.size(); ++k)
        l << QStringLiteral("MMPLL,%1,%2,%3").arg(k).arg(corners[k - 1].first, 0, 'g', 17).arg(corners[k - 1].second, 0, 'g', 17);
    return l.join("\r\n").toUtf8() + "\r\n";
}

}  // namespace testfiles
