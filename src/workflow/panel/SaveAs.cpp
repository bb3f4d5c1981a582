// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/panel/SaveAs.h"

#include "core/BinaryFile.h"
#include "core/SafeWrite.h"
#include "imaging/JpegCodec.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Where the line starting at `from` ends, and where the next one starts.
std::pair<qsizetype, qsizetype> LineEnd(const QByteArray& bytes, qsizetype from)
{
    qsizetype end = from;
    while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
        ++end;
    qsizetype next = end;
    if (next < bytes.size() && bytes[next] == '\r')
        ++next;
    if (next < bytes.size() && bytes[next] == '\n' && (next == end || bytes[end] == '\r'))
        ++next;
    return {end, next};
}

}  // namespace

QByteArray WithImageLine(const QByteArray& mapBytes, const QString& imageName)
{
    const auto [end1, line2] = LineEnd(mapBytes, 0);
    const auto [end2, next] = LineEnd(mapBytes, line2);
    QByteArray out = mapBytes.left(line2);
    if (line2 == end1)  // a one-line file: line 2 starts here
        out += "\r\n";
    out += imageName.toUtf8();
    out += mapBytes.mid(end2);
    return out;
}

QString CalibrationFileFor(const QString& jpegFile)
{
    const QFileInfo info(jpegFile);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".map"));
}

StepOutcome SaveAs(Workspace& ws, const QString& jpegFile)
{
    ws.log.blank();
    ws.log.append(QStringLiteral("Saving JPG..."));
    ws.log.processPendingEvents();

    const QByteArray calibration = WithImageLine(ReadBinaryFile(ws.indexMapFile), QFileInfo(jpegFile).fileName());
    ReplaceFileSafely(jpegFile, EncodeJpeg(ws.workingImage, kSaveQuality));
    ReplaceFileSafely(CalibrationFileFor(jpegFile), calibration);
    ws.log.append(QStringLiteral("Saved as %1").arg(QFileInfo(jpegFile).fileName()));
    return StepOutcome::Completed;
}
