// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/panel/LoadImage.h"

#include "imaging/JpegCodec.h"
#include "imaging/MemoryBudget.h"
#include "core/BinaryFile.h"
#include "core/Errors.h"
#include "formats/ozi/MapReader.h"
#include "formats/ozi/TextFile.h"

#include <QFileInfo>

namespace {

bool IsSeparator(QChar c) { return c == u'\\' || c == u'/' || c == u':'; }

// Up to and including the last separator; empty when there is none.
QString FolderPart(const QString& path)
{
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        if (IsSeparator(path[i]))
            return path.left(i + 1);
    }
    return QString();
}

QString AsciiLower(QString text)
{
    for (QChar& c : text) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + ('a' - 'A'));
    }
    return text;
}

QString AsciiUpper(QString text)
{
    for (QChar& c : text) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - ('a' - 'A'));
    }
    return text;
}

bool IsFile(const QString& path) { return !path.isEmpty() && QFileInfo(path).isFile(); }

bool DefaultBorder(const TSingleMap& index, int width, int height)
{
    const std::vector<TPixel> corners{{0, 0}, {width, 0}, {width, height}, {0, height}};
    return index.Pixels == corners;
}

bool RectangleInDegrees(const TSingleMap& index)
{
    if (index.LatLon.size() < 4)
        return false;
    const auto& c = index.LatLon;
    return c[0].Lat == c[1].Lat && c[2].Lat == c[3].Lat && c[0].Lon == c[3].Lon && c[1].Lon == c[2].Lon;
}

}  // namespace

bool HasJpegExtension(const QString& imageLine)
{
    const QString name = FileNamePart(imageLine);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0)
        return false;
    const QString extension = AsciiLower(name.sliced(dot));
    return extension == u".jpg" || extension == u".jpeg";
}

QString ResolveImagePath(const QString& imageLine, const QString& indexMapFile)
{
    const QString folder = FolderPart(indexMapFile);
    const bool bare = FolderPart(imageLine).isEmpty();
    const QString asWritten = bare ? folder + imageLine : imageLine;
    if (IsFile(asWritten))
        return asWritten;
    // A path written on Windows, or relative to a folder that is not the
    // current one, most often means the image beside the index map; the
    // file systems it came from ignore letter case.
    if (imageLine.startsWith(u'/'))
        return QString();
    const QString name = FileNamePart(imageLine);
    for (const QString& candidate : {folder + name, folder + AsciiUpper(name), folder + AsciiLower(name)}) {
        if (IsFile(candidate))
            return candidate;
    }
    return QString();
}

StepOutcome LoadImage(Workspace& ws, const QString& indexMapFile)
{
    const QString imageLine = LineAt(ReadTextLines(indexMapFile), 2);
    if (!HasJpegExtension(imageLine)) {
        ws.log.blank();
        ws.log.append(QStringLiteral("Image file has no JPEG extention"));
        return StepOutcome::Stopped;
    }
    const QString path = ResolveImagePath(imageLine, indexMapFile);
    if (path.isEmpty()) {
        ws.log.blank();
        ws.log.append(QStringLiteral("Image file not found"));
        return StepOutcome::Stopped;
    }
    TSingleMap& index = ws.data.IndexMap;
    index.FileName = path;
    ws.log.blank();
    ws.log.append(QStringLiteral("Loading map image..."));
    ws.log.processPendingEvents();

    // The new base image replaces the old one whether or not it loads.
    ws.baseImage = QByteArray();
    QByteArray jpeg;
    const qint64 available = AvailableMemoryBytes();
    try {
        jpeg = ReadBinaryFile(path);
        const QSize size = ReadJpegSize(jpeg);
        CheckImageFits(size.width(), size.height(), available);
    } catch (const TessError& error) {
        ws.log.blank();
        ws.log.append(QStringLiteral("Failed to load image. Error message:\n") + error.text());
        return StepOutcome::Stopped;
    }
    ws.workingImage = DecodeJpeg(jpeg, available);
    ws.baseImage = std::move(jpeg);
    ws.penWidth = 1;

    if (index.IsOk) {
        if (!DefaultBorder(index, ws.workingImage.width(), ws.workingImage.height())) {
            index.IsOk = false;
            ws.log.blank();
            ws.log.append(QStringLiteral("Index map border is not default - not ok"));
        }
        if (!RectangleInDegrees(index)) {
            index.IsOk = false;
            ws.log.blank();
            ws.log.append(QStringLiteral("Index map is not in Mercator projection - not ok"));
        }
    }
    ws.log.append(QStringLiteral("Map image loaded"));
    if (index.IsOk && ws.data.GoodMapsCount > 0)
        ws.commands.apply(Transition::ImageUsable);
    ws.commands.apply(Transition::ImageLoaded);
    return StepOutcome::Completed;
}
