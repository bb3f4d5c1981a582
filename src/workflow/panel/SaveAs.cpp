// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/panel/SaveAs.h"

#include "core/BinaryFile.h"
#include "core/SafeWrite.h"
#include "formats/ozi/TextDecoding.h"
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
    if (next < bytes.size() && bytes[next] == '\n')
        ++next;
    return {end, next};
}

}  // namespace

QByteArray WithImageLine(const QByteArray& mapBytes, const QString& imageName)
{
    // Lines count from 0: the header, the title, then the image.
    qsizetype start = 0;
    QByteArray out;
    for (int line = 0; line < 2; ++line) {
        const auto [end, next] = LineEnd(mapBytes, start);
        out += mapBytes.mid(start, next - start);
        if (next == end)  // the file ends before line 2
            out += "\r\n";
        start = next;
    }
    out += EncodeLikeMapText(imageName, mapBytes);
    out += mapBytes.mid(LineEnd(mapBytes, start).first);
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
    // A picture without its calibration is of no use: both or neither.
    ReplaceFilesSafely({{jpegFile, EncodeJpeg(ws.workingImage, kSaveQuality)}, {CalibrationFileFor(jpegFile), calibration}});
    ws.log.append(QStringLiteral("Saved as %1").arg(QFileInfo(jpegFile).fileName()));
    return StepOutcome::Completed;
}
