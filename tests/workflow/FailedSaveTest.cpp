// SPDX-License-Identifier: GPL-3.0-or-later
// A save that fails leaves Save enabled and Undo returning to the image as
// loaded. What the failed write leaves on the disk, for every fault, is the
// safe write's own test (tests/core/SafeWriteTest.cpp).

#include "ErrorText.h"
#include "MapFiles.h"
#include "QtPrint.h"
#include "imaging/JpegCodec.h"
#include "workflow/panel/Analyze.h"
#include "workflow/panel/LoadImage.h"
#include "workflow/panel/SaveJpg.h"
#include "workflow/panel/Undo.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(FailedSave, KeepsSaveAndWhatUndoReturnsTo)
{
    QTemporaryDir root;
    MemoryLog log;
    Workspace ws{log, "."};
    const QString target = root.filePath("index.jpg");
    QImage image(300, 300, QImage::Format_RGB32);
    image.fill(qRgb(200, 220, 240));
    testfiles::Write(target, EncodeJpeg(image));
    const QString index = root.filePath("index.map");
    testfiles::Write(index, testfiles::IndexMap(target, 300, 300, 60, 50, 30, 40));
    QDir(root.path()).mkpath("maps");
    testfiles::Write(root.filePath("maps/a.map"), testfiles::Sheet("A", "a.jpg", {{31, 59}, {32, 59}, {32, 58}}));
    QString maps = root.filePath("maps");
    Analyze(ws, maps, index);
    ASSERT_EQ(LoadImage(ws, index), StepOutcome::Completed);
    const QImage loaded = ws.workingImage;
    ws.workingImage.fill(qRgb(0, 0, 0));
    ws.commands.apply(Transition::BordersDrawn);

    QFile::remove(target);
    QDir().mkpath(target);
    EXPECT_EQ(ErrorText([&] { SaveJpg(ws); }), Errors::cannotCreateFile(target, Errors::systemReason(EISDIR)).text());
    EXPECT_TRUE(QFileInfo(target).isDir());
    EXPECT_TRUE(ws.commands.enabled(Command::Save));
    EXPECT_EQ(Undo(ws), StepOutcome::Completed);
    EXPECT_EQ(ws.workingImage, loaded);
}

}  // namespace
