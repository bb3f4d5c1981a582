// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FakeDialogs.h"
#include "MapFiles.h"
#include "imaging/JpegCodec.h"
#include "ui/MainFormUnit.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

// The command buttons enabled now, by object name, in panel order.
inline QStringList EnabledCommands(TMainForm& f)
{
    QStringList names;
    for (QPushButton* b : {f.btnAnalyze, f.btnLoadImage, f.btnCalc, f.btnDraw, f.btnCalcNames, f.btnNames,
                           f.btnUndo, f.btnClearAll, f.btnSave}) {
        if (b->isEnabled())
            names.append(b->objectName());
    }
    return names;
}

// A fresh main window per test, with its settings file in a folder of its
// own and its dialogs answered by FakeDialogs.
class UiFixture : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    TMainForm& open()
    {
        form = std::make_unique<TMainForm>(settingsPath, &dialogs);
        return *form;
    }

    void writeSettings(const QByteArray& text) { testfiles::Write(settingsPath, text); }

    QString settingsText() const
    {
        QFile file(settingsPath);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    // An index map and a maps folder with `good` sheets inside it and one
    // outside; returns the maps folder, without a trailing separator.
    QString makeDemo(int good = 2)
    {
        QDir(dir.path()).mkdir("maps");
        indexFile = dir.filePath("index.map");
        testfiles::Write(indexFile, testfiles::IndexMap("index.jpg", 1000, 800, 60, 50, 30, 40));
        for (int i = 1; i <= good; ++i) {
            const QString name = QStringLiteral("N-37-00%1").arg(i);
            testfiles::Write(dir.filePath("maps/" + name + ".map"),
                             testfiles::Sheet(name, "C:\\scans\\" + name + ".jpg",
                                              {{31, 59}, {32, 59}, {32, 58}, {31, 58}}));
        }
        testfiles::Write(dir.filePath("maps/far.map"),
                         testfiles::Sheet("Far", "far.jpg", {{1, 9}, {2, 9}, {2, 8}, {1, 8}}));
        return dir.filePath("maps");
    }

    // A window on `maps` and `index` (by default makeDemo()'s two sheets over
    // the blank `overview`) with the first `steps` of Analyze, Load image,
    // Calc points, Draw borders, Calc name centers and Draw names clicked.
    TMainForm& openOn(qsizetype steps, QString maps = {}, QString index = {})
    {
        if (maps.isEmpty()) {
            maps = makeDemo(2);
            index = indexFile;
            testfiles::Write(dir.filePath("index.jpg"), overview);
        }
        TMainForm& f = open();
        f.edMapsDir->setText(maps);
        f.edBlankMapFile->setText(index);
        for (QPushButton* b : QList{f.btnAnalyze, f.btnLoadImage, f.btnCalc, f.btnDraw, f.btnCalcNames, f.btnNames}.first(steps))
            b->click();
        return f;
    }

    QTemporaryDir dir;
    const QByteArray overview = [] {
        QImage white(1000, 800, QImage::Format_RGB32);
        white.fill(Qt::white);
        return EncodeJpeg(white);
    }();
    QString settingsPath = dir.filePath("tessarine.ini");
    QString indexFile;
    FakeDialogs dialogs;
    std::unique_ptr<TMainForm> form;
};
