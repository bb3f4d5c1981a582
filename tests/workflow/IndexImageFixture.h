#pragma once

// A folder with an index map, its JPEG and one usable sheet, analysed and
// ready for Load image.

#include "Gradient.h"
#include "MapFiles.h"
#include "imaging/JpegCodec.h"
#include "workflow/Analyze.h"
#include "workflow/LoadImage.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace testfiles {

// Remembers every entry as one string, to tell one entry of two lines from two entries.
class EntryLog final : public ResultsLog {
public:
    void append(const QString& text) override { entries.append(text); }
    void processPendingEvents() override { ++pendingEventCalls; }
    QStringList entries;
    int pendingEventCalls = 0;
};

class IndexImageTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 64;
    static constexpr int kHeight = 48;

    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        folder = root.path();
        QDir(folder).mkdir("maps");
        Write(folder + "/maps/a.map", Sheet("Alpha", "a.jpg", {{31, 59}, {32, 59}, {32, 58}, {31, 58}}));
        indexFile = folder + "/index.map";
    }

    // Writes the index map naming `imageLine` and the image file `imageFile`
    // (relative to the folder; none when empty), then analyses.
    void prepare(const QString& imageLine, const QString& imageFile = "index.jpg", int mapWidth = kWidth,
                 int mapHeight = kHeight)
    {
        Write(indexFile, IndexMap(imageLine, mapWidth, mapHeight, 60, 50, 30, 40));
        if (!imageFile.isEmpty()) {
            imageBytes = EncodeJpeg(Gradient(kWidth, kHeight));
            Write(folder + "/" + imageFile, imageBytes);
        }
        QString mapsDir = folder + "/maps";
        ASSERT_EQ(Analyze(ws, mapsDir, indexFile), StepOutcome::Completed);
        ASSERT_TRUE(ws.commands.enabled(Command::LoadImage));
        log.entries.clear();
    }

    StepOutcome load() { return LoadImage(ws, indexFile); }

    QTemporaryDir root;
    QString folder;
    QString indexFile;
    QByteArray imageBytes;
    EntryLog log;
    Workspace ws{log, "."};
};

}  // namespace testfiles
