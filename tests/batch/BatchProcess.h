#pragma once

// Runs the built tessarine-batch as a user would.

#include "MapFiles.h"
#include "Process.h"
#include "imaging/JpegCodec.h"

#include <QDir>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

inline ProcessRun RunBatchProcess(const QStringList& arguments)
{
    return RunProgram(QStringLiteral(TESSARINE_BATCH), arguments);
}

// A fresh folder per test holding an empty maps folder and the index map's place.
class BatchFolder : public ::testing::Test {
protected:
    BatchFolder() { QDir(root.path()).mkdir("maps"); }

    QStringList args(const QStringList& extra = {}) const
    {
        return QStringList{"--maps", maps, "--index", index} + extra;
    }

    // The index map over 30..40 E, 50..60 N and its JPEG filled with `colour`.
    void writeIndex(int width, int height, QRgb colour)
    {
        testfiles::Write(index, testfiles::IndexMap("index.jpg", width, height, 60, 50, 30, 40));
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(colour);
        testfiles::Write(root.filePath("index.jpg"), EncodeJpeg(image));
    }

    QTemporaryDir root;
    QString maps = root.filePath("maps");
    QString index = root.filePath("index.map");
};
