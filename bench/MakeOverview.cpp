// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a large overview for the JPEG benchmark into a folder: the JPEG
// (quality 90, as Save jpg writes), the same pixels as a PPM for cjpeg, its
// index map and a grid of sheets covering it.
//
//   make_overview DIR WIDTH HEIGHT SHEETS

#include "MapFiles.h"
#include "OverviewData.h"
#include "imaging/JpegCodec.h"
#include "core/SafeWrite.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cmath>
#include <cstdio>

namespace {

// Terrain-like shading with a fine grain, as scanned maps have, so the JPEG
// has a realistic size rather than that of a flat gradient.
QImage Terrain(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double relief = std::sin(x * 0.013) * std::cos(y * 0.011) + std::sin((x + y) * 0.0031);
            auto grain = static_cast<quint32>(x * 73856093u ^ y * 19349663u);
            grain = (grain ^ (grain >> 13)) * 0x5bd1e995u;
            const int noise = static_cast<int>((grain >> 24) & 15) - 8;
            const int base = 170 + static_cast<int>(relief * 35) + noise;
            const bool road = (x % 997 < 3) || (y % 683 < 2);
            row[x] = road ? qRgb(120, 40, 30) : qRgb(base - 20, base + 10, base - 40);
        }
    }
    return image;
}

void WritePpm(const QString& path, const QImage& image)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    file.write(QStringLiteral("P6\n%1 %2\n255\n").arg(image.width()).arg(image.height()).toLatin1());
    QByteArray row(image.width() * 3, Qt::Uninitialized);
    for (int y = 0; y < image.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            row[3 * x] = static_cast<char>(qRed(in[x]));
            row[3 * x + 1] = static_cast<char>(qGreen(in[x]));
            row[3 * x + 2] = static_cast<char>(qBlue(in[x]));
        }
        file.write(row);
    }
}

// A grid of about `count` sheets over the index map, slightly inside it.
void WriteSheets(const QString& dir, int count)
{
    QDir().mkpath(dir);
    const int columns = std::max(1, static_cast<int>(std::lround(std::sqrt(count * 1.2))));
    const int rows = std::max(1, (count + columns - 1) / columns);
    const double width = (overview::kEast - overview::kWest) / columns;
    const double height = (overview::kNorth - overview::kSouth) / rows;
    int written = 0;
    for (int r = 0; r < rows && written < count; ++r) {
        for (int c = 0; c < columns && written < count; ++c, ++written) {
            const double west = overview::kWest + c * width + width * 0.02;
            const double east = west + width * 0.96;
            const double north = overview::kNorth - r * height - height * 0.02;
            const double south = north - height * 0.96;
            const QString name = QStringLiteral("sheet-%1").arg(written, 5, 10, QLatin1Char('0'));
            testfiles::Write(dir + "/" + name + ".map",
                             testfiles::Sheet(name, name + ".jpg", {{west, north}, {east, north}, {east, south}, {west, south}}));
        }
    }
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5) {
        std::fprintf(stderr, "usage: make_overview DIR WIDTH HEIGHT SHEETS\n");
        return 2;
    }
    const QString dir = args[1];
    const int width = args[2].toInt();
    const int height = args[3].toInt();
    const int sheets = args[4].toInt();
    QDir().mkpath(dir);
    // The index map is written last: when it is there, so is everything.
    if (QFile::exists(overview::IndexFile(dir))) {
        std::printf("%s: already there\n", qPrintable(dir));
        return 0;
    }
    std::printf("%s: writing a %d x %d overview and %d sheets\n", qPrintable(dir), width, height, sheets);
    std::fflush(stdout);
    const QImage image = Terrain(width, height);
    WritePpm(overview::PpmFile(dir), image);
    ReplaceFileSafely(overview::JpegFile(dir), EncodeJpeg(image));
    WriteSheets(overview::MapsDir(dir), sheets);
    testfiles::Write(overview::IndexFile(dir),
                     testfiles::IndexMap("overview.jpg", width, height, overview::kNorth, overview::kSouth,
                                         overview::kWest, overview::kEast));
    return 0;
}
