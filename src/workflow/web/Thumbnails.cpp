// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/web/Thumbnails.h"

#include "core/BinaryFile.h"
#include "core/Errors.h"
#include "formats/gdal/RasterModule.h"
#include "imaging/JpegCodec.h"
#include "imaging/MemoryBudget.h"
#include "workflow/web/OverviewTiles.h"
#include "workflow/ParallelJobs.h"
#include "workflow/web/SheetHits.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QSet>

namespace {

bool Usable(const TSingleMap& sheet) { return sheet.IsOk && sheet.Pixels.size() >= 3; }

bool IsJpeg(const QByteArray& bytes) { return bytes.startsWith("\xFF\xD8\xFF"); }

// The .map file's name, kept to letters and digits that need no encoding in
// a link, then a digest of what the thumbnail is made from: the sheet, its
// image's name, size and time, and how it is made. A publish then takes the
// thumbnail the last one made of an unchanged image, and a browser never
// shows a thumbnail it kept of an image that has changed since.
QString ThumbnailName(const QString& mapFile, const QFileInfo& image)
{
    QString stem = QFileInfo(mapFile).completeBaseName();
    for (QChar& c : stem) {
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != u'-' && c != u'_' && c != u'.')
            c = u'_';
    }
    if (stem.startsWith(u'.'))
        stem[0] = u'_';  // web servers often refuse hidden files
    const QByteArray source = mapFile.toUtf8() + '\n' + image.fileName().toUtf8() + '\n' +
                              QByteArray::number(image.size()) + '\n' +
                              QByteArray::number(image.lastModified().toMSecsSinceEpoch()) + '\n' +
                              QByteArray::number(kThumbnailSide) + '\n' + QByteArray::number(kTileQuality);
    const QByteArray digest = QCryptographicHash::hash(source, QCryptographicHash::Sha1).toHex().left(16);
    return stem.left(60) + u'-' + QString::fromLatin1(digest) + QStringLiteral(".jpg");
}

// The thumbnail of that name the last publish made, when it is there.
QByteArray EarlierThumbnail(const QString& earlierDir, const QString& name)
{
    if (earlierDir.isEmpty() || !QFileInfo(earlierDir + u'/' + name).isFile())
        return QByteArray();
    try {
        return ReadBinaryFile(earlierDir + u'/' + name);
    } catch (const TessError&) {
        return QByteArray();  // made again instead
    }
}

// PNG, TIFF, GeoTIFF, OziExplorer's own images and the rest of what GDAL
// reads, through the GDAL module.
QImage OtherImageThumbnail(const QString& imagePath, int side)
{
    const auto reader = ThumbnailReader();
    if (const QString* error = std::get_if<QString>(&reader))
        throw TessError(QStringLiteral("not a JPEG image, and GDAL cannot be loaded: %1").arg(*error));
    RasterThumbnail thumbnail;
    std::get<ReadThumbnailFunction>(reader)(imagePath, side, thumbnail);
    if (!thumbnail.error.isEmpty())
        throw TessError(thumbnail.error);
    QImage image(thumbnail.width, thumbnail.height, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        std::copy_n(thumbnail.pixels.data() + std::size_t(y) * std::size_t(image.width()), image.width(),
                    reinterpret_cast<quint32*>(image.scanLine(y)));
    return image;
}

}  // namespace

qint64 ThumbnailCount(const MapData& data) { return std::count_if(data.Maps.begin(), data.Maps.end(), Usable); }

QImage ThumbnailOf(const QString& imagePath, int side)
{
    const QByteArray bytes = ReadBinaryFile(imagePath);
    if (!IsJpeg(bytes))
        return OtherImageThumbnail(imagePath, side);
    const QImage reduced = DecodeJpegReduced(bytes, side, AvailableMemoryBytes());
    if (reduced.width() <= side && reduced.height() <= side)
        return reduced;
    return reduced.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

std::optional<SheetThumbnails> MakeThumbnails(Workspace& ws, const QString& mapsDir, const QString& earlierDir,
                                              const ProgressFunction& progress, qint64 doneBefore, qint64 total)
{
    const auto& maps = ws.data.Maps;
    std::vector<std::size_t> sheets;
    std::vector<QString> paths;
    std::vector<QString> names;
    QSet<QString> taken;
    for (std::size_t i = 0; i < maps.size(); ++i) {
        if (!Usable(maps[i]))
            continue;
        sheets.push_back(i);
        paths.push_back(FindSheetImage(ws, mapsDir, i));
        QString name = paths.back().isEmpty() ? QString() : ThumbnailName(maps[i].FileName, QFileInfo(paths.back()));
        if (!name.isEmpty() && taken.contains(name))  // two sheets never share one, however unlikely
            name.insert(name.size() - 4, QStringLiteral("-%1").arg(i + 1));
        taken.insert(name);
        names.push_back(name);
    }
    std::vector<QByteArray> encoded(sheets.size());
    std::vector<QString> reasons(sheets.size());
    const auto make = [&](std::size_t k) {
        if (paths[k].isEmpty())
            return;
        encoded[k] = EarlierThumbnail(earlierDir, names[k]);
        if (!encoded[k].isEmpty())
            return;
        try {
            encoded[k] = EncodeJpeg(ThumbnailOf(paths[k], kThumbnailSide), kTileQuality);
        } catch (const TessError& error) {
            reasons[k] = error.text();
        }
    };
    if (!RunInParallel(sheets.size(), make, progress, QStringLiteral("Making the sheets' thumbnails"), doneBefore, total))
        return std::nullopt;
    SheetThumbnails result;
    result.names.resize(maps.size());
    for (std::size_t k = 0; k < sheets.size(); ++k) {
        const std::size_t i = sheets[k];
        if (!reasons[k].isEmpty())
            ws.log.append(QStringLiteral("...no thumbnail of %1: %2").arg(maps[i].FileName, reasons[k]));
        if (encoded[k].isEmpty())
            continue;
        result.names[i] = names[k];
        result.files.push_back({result.names[i], std::move(encoded[k])});
    }
    return result;
}
