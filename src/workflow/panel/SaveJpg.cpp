// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/panel/SaveJpg.h"

#include "imaging/JpegCodec.h"
#include "core/SafeWrite.h"

StepOutcome SaveJpg(Workspace& ws, const QString& outputFile)
{
    ws.log.blank();
    ws.log.append(QStringLiteral("Saving JPG..."));
    ws.log.processPendingEvents();

    QByteArray jpeg = EncodeJpeg(ws.workingImage, kSaveQuality);
    ReplaceFileSafely(outputFile.isEmpty() ? ws.data.IndexMap.FileName : outputFile, jpeg);
    ws.baseImage = std::move(jpeg);

    ws.log.append(QStringLiteral("Saved"));
    ws.commands.apply(Transition::Saved);
    return StepOutcome::Completed;
}
