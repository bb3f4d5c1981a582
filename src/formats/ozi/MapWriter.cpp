// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/ozi/MapWriter.h"

#include <QStringList>

#include <cmath>

namespace {

// Degrees as the MMPLL lines hold them; the frame's edges are whole
// millionths, so a shared edge prints the same in every line.
QString Degrees(double value) { return QString::number(value == 0.0 ? 0.0 : value, 'f', 6); }

// "46, 36.0000,N" for 46.6 as a Point line writes it.
QString DegreesMinutes(double value, char positive, char negative)
{
    const auto tenThousandths = static_cast<qint64>(std::llround(std::fabs(value) * 60.0 * 10000.0));
    return QStringLiteral("%1,%2,%3")
        .arg(tenThousandths / 600000, 4)
        .arg(static_cast<double>(tenThousandths % 600000) / 10000.0, 8, 'f', 4)
        .arg(QLatin1Char(value < 0 ? negative : positive));
}

}  // namespace

QByteArray IndexMapCalibration(const TSingleMap& frame, const QString& title, const QString& imageName)
{
    struct Corner {
        int x, y;
        double lat, lon;
    };
    Corner corners[4];
    for (std::size_t k = 0; k < 4; ++k)
        corners[k] = {frame.Pixels.at(k).X, frame.Pixels.at(k).Y, frame.LatLon.at(k).Lat, frame.LatLon.at(k).Lon};
    const int w = corners[2].x;
    const int h = corners[2].y;

    QStringList l{QStringLiteral("OziExplorer Map Data File Version 2.2"), title, imageName,
                  QStringLiteral("1 ,Map Code,"), QStringLiteral("WGS 84,WGS 84,   0.0000,   0.0000,WGS 84"),
                  QStringLiteral("Reserved 1"), QStringLiteral("Reserved 2"), QStringLiteral("Magnetic Variation,,,E"),
                  QStringLiteral("Map Projection,Mercator,PolyCal,No,AutoCalOnly,No,BSBUseWPX,No")};
    for (int k = 0; k < 4; ++k) {
        const Corner& c = corners[k];
        l << QStringLiteral("Point%1,xy,%2,%3,in, deg,%4,%5, grid,   ,           ,           ,N")
                 .arg(k + 1, 2, 10, QLatin1Char('0'))
                 .arg(c.x, 5)
                 .arg(c.y, 5)
                 .arg(DegreesMinutes(c.lat, 'N', 'S'), DegreesMinutes(c.lon, 'E', 'W'));
    }
    l << QStringLiteral("Projection Setup,     0.000000000,     0.000000000,     1.000000000,        0.00,        0.00,,,,,")
      << QStringLiteral("Map Feature = MF ; Map Comment = MC     These follow if they exist")
      << QStringLiteral("Track File = TF      These follow if they exist")
      << QStringLiteral("Moving Map Parameters = MM?    These follow if they exist") << QStringLiteral("MM0,Yes")
      << QStringLiteral("MMPNUM,4");
    for (int k = 0; k < 4; ++k)
        l << QStringLiteral("MMPXY,%1,%2,%3").arg(k + 1).arg(corners[k].x).arg(corners[k].y);
    for (int k = 0; k < 4; ++k)
        l << QStringLiteral("MMPLL,%1,%2,%3").arg(k + 1).arg(Degrees(corners[k].lon), Degrees(corners[k].lat));
    l << QStringLiteral("IWH,Map Image Width/Height,%1,%2").arg(w).arg(h);
    return l.join(QStringLiteral("\r\n")).toUtf8() + "\r\n";
}
