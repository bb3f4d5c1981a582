// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/panel/Undo.h"

#include "imaging/JpegCodec.h"
#include "imaging/MemoryBudget.h"
#include "core/Errors.h"

StepOutcome Undo(Workspace& ws)
{
    // Decoded beside the working image rather than over it: should the
    // decode fail, the drawing is still there to be saved or undone again.
    try {
        ws.workingImage = DecodeJpeg(ws.baseImage, AvailableMemoryBytes() + ws.workingImage.sizeInBytes());
    } catch (const TessError& error) {
        ws.log.blank();
        ws.log.append(QStringLiteral("Failed to undo. Error message:\n") + error.text());
        return StepOutcome::Stopped;
    }
    ws.commands.apply(Transition::Undone);
    return StepOutcome::Completed;
}
