// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FakeDialogs.h"
#include "MapFiles.h"
#include "imaging/JpegCodec.h"
#include "ui/MainFormUnit.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
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

    // A window on `maps` and `index` (by default the window cases' set
    // tests/cases/window/two-sheets, copied, over the blank `overview`) with
    // the first `steps` of Analyze, Load image, Calc points, Draw borders,
    // Calc name centers and Draw names clicked.
    TMainForm& openOn(qsizetype steps, QString maps = {}, QString index = {})
    {
        if (maps.isEmpty()) {
            const QDir set(TESSARINE_TEST_CASES "/window/two-sheets");
            for (QDirIterator it(set.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
                const QString name = set.relativeFilePath(it.next());
                QDir(dir.path()).mkpath(QFileInfo(name).path());
                testfiles::Write(dir.filePath(name), testfiles::Read(it.filePath()));
            }
            maps = dir.filePath("maps");
            index = dir.filePath("index.map");
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
    FakeDialogs dialogs;
    std::unique_ptr<TMainForm> form;
};
