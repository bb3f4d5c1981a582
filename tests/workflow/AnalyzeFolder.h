#pragma once

// A temporary folder holding an index map and an empty maps folder, and a
// workspace to analyse them in.

#include "MapFiles.h"
#include "workflow/Analyze.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class AnalyzeFolder : public ::testing::Test {
protected:
    explicit AnalyzeFolder(const QString& rootTemplate = QDir::tempPath() + "/tessarine-XXXXXX") : root(rootTemplate) {}

    void prepare(const QByteArray& indexMap)
    {
        ASSERT_TRUE(root.isValid());
        QDir(root.path()).mkdir("maps");
        mapsDir = root.filePath("maps");
        indexFile = root.filePath("index.map");
        testfiles::Write(indexFile, indexMap);
    }

    StepOutcome run() { return Analyze(ws, mapsDir, indexFile); }

    QTemporaryDir root;
    QString mapsDir;
    QString indexFile;
    MemoryLog log;
    Workspace ws{log, "."};
};
