// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtPrint.h"
#include "UiFixture.h"
#include "ui/RadioGroup.h"
#include "ui/TCTrackBar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>


namespace {

// What the controls show, by a short name.
QMap<QString, QString> Controls(TMainForm& f)
{
    return {{"opacity", QString::number(f.tbOpacity->value())},
            {"label", f.lbOpacity->text()},
            {"centres", QString::number(f.rdCenters->itemIndex())},
            {"method", QString::number(f.workspace().centersMethod)},
            {"source", QString::number(f.rdSrc->itemIndex())},
            {"width", QString::number(f.udLineWidth->value())},
            {"colour", QString::number(f.clbLine->currentIndex())},
            {"fill", QString::number(f.chbFill->isChecked())},
            {"log", QString::number(f.logHeight())},
            {"font", f.namesFont() == NamesFont{} ? QStringLiteral("default") : QStringLiteral("chosen")}};
}

// Each row of tests/data/settings/stored-start.txt in a window of its own.
TEST_F(UiFixture, StoredSettingsSetTheControls)
{
    for (const QStringList& row : testfiles::Rows("settings/stored-start.txt")) {
        form.reset();
        writeSettings(row[0] == "(none)" ? QByteArray() : QString(row[0]).replace("\\n", "\n").toUtf8());
        TMainForm& f = open();
        EXPECT_EQ(Controls(f).value(row[1]), row[2]) << row[0].toStdString();
        EXPECT_EQ(EnabledCommands(f), QStringList{"btnAnalyze"}) << row[0].toStdString();
    }
}

TEST_F(UiFixture, SettingsRoundTripThroughCloseAndANewWindow)
{
    TMainForm& f = open();
    f.edMapsDir->setText("/data/maps/");
    f.rdSrc->setItemIndex(2);
    f.udLineWidth->setValue(9);
    f.clbLine->setCurrentIndex(13);
    f.chbFill->setChecked(true);
    f.rdCenters->setItemIndex(1);
    f.tbOpacity->setValue(17);
    f.btnFont->click();  // cancelled: nothing changes
    EXPECT_EQ(f.namesFont(), NamesFont{});
    QFont chosen("DejaVu Serif");
    chosen.setPixelSize(21);
    chosen.setItalic(true);
    dialogs.fonts.push_back(chosen);
    dialogs.colors.push_back(QColor(0, 0, 255));
    f.btnFont->click();
    f.btnFontColor->click();
    EXPECT_EQ(f.namesFont().height, -21);
    f.resize(1000, 900);
    f.Splitter1->setSizes({400, 150});
    const QMap<QString, QString> before = Controls(f);
    const NamesFont font = f.namesFont();
    f.close();

    form.reset();
    TMainForm& g = open();
    EXPECT_EQ(Controls(g), before);
    EXPECT_EQ(g.namesFont(), font);
    EXPECT_EQ(g.edMapsDir->text(), QString("/data/maps/"));
    g.chbFill->setChecked(false);
    g.btnExit->click();  // Exit saves as the close box does
    EXPECT_TRUE(settingsText().contains("\nFillPolygons=0\n"));
}

// A settings file that cannot be written (a folder in its place) is
// reported, loses nothing, and the window closes all the same.
TEST_F(UiFixture, RefusedSettingsWriteIsReported)
{
    settingsPath = dir.filePath("folder.ini");
    QDir(dir.path()).mkdir("folder.ini");
    testfiles::Write(dir.filePath("folder.ini/inside.txt"), "kept");
    TMainForm& f = open();
    f.show();
    EXPECT_TRUE(f.close());
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(dialogs.errors, QStringList{"Unable to write to " + settingsPath});
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"folder.ini"})
        << "no temporary file is left";
    EXPECT_EQ(testfiles::Read(dir.filePath("folder.ini/inside.txt")), "kept");
}

// The folder dialog starts at an existing folder only; the map file dialog
// is preset with the box's file or else the last choice.
TEST_F(UiFixture, FileButtonsPresetTheirDialogsFromTheBoxes)
{
    makeDemo(1);
    TMainForm& f = open();
    f.edMapsDir->setText(dir.path());
    dialogs.directories.push_back(QString("/chosen"));
    f.btnSelectDir->click();
    EXPECT_EQ(f.edMapsDir->text(), QString("/chosen"));
    f.edMapsDir->setText(settingsPath);  // a file, not a folder
    f.btnSelectDir->click();             // cancelled
    EXPECT_EQ(f.edMapsDir->text(), settingsPath);
    EXPECT_EQ(dialogs.directoryAsked,
              (QStringList{"Directory with map files|" + dir.path(), "Directory with map files|"}));

    f.edBlankMapFile->setText(indexFile);
    dialogs.mapFiles.push_back(QString("/picked/one.map"));
    f.btnSelectMapFile->click();
    EXPECT_EQ(f.edBlankMapFile->text(), QString("/picked/one.map"));
    f.edBlankMapFile->setText(dir.path());  // a folder: the last choice stays
    f.btnSelectMapFile->click();
    EXPECT_EQ(dialogs.mapFilePresets, (QStringList{indexFile, "/picked/one.map"}));
}

TEST_F(UiFixture, ResultsLogKeepsALeadingEmptyLineAndShowsTheRestAtAHandlersEnd)
{
    TMainForm& f = open();
    f.workspace().log.blank();
    f.workspace().log.append("first\nsecond");
    f.workspace().log.processPendingEvents();
    f.workspace().log.append("third");
    EXPECT_EQ(f.meRes->toPlainText(), QString("\nfirst\nsecond"));
    f.btnFontColor->click();
    EXPECT_EQ(f.meRes->toPlainText(), QString("\nfirst\nsecond\nthird"));
}

// Nothing in the strip above the view hides another control.
TEST_F(UiFixture, TheTopStripsControlsDoNotOverlap)
{
    TMainForm& f = open();
    QList<QWidget*> controls;
    for (QWidget* w : f.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w))
            controls.append(w);
    ASSERT_GE(controls.size(), 9);
    for (qsizetype i = 0; i < controls.size(); ++i)
        for (qsizetype j = i + 1; j < controls.size(); ++j)
            EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
                << controls[i]->objectName().toStdString() << " and " << controls[j]->objectName().toStdString();
}

// New…, Export… and the Calibration group, their dialogs answered in
// advance: the save dialogs start beside the index map (at first, beside the
// maps folder) and New… asks the width; the corners chosen reach Analyze
// and the settings file; Export… and Check calibrations come and go with
// Clear all.
TEST_F(UiFixture, NewExportAndTheCalibrationGroupOnTheDemo)
{
    TMainForm& f = open();
    ASSERT_EQ(f.cbSheetCorners->count(), 3);
    EXPECT_EQ(f.cbSheetCorners->itemText(1), "MMPLL, else calibration");
    EXPECT_EQ(f.cbSheetCorners->accessibleName(), "Sheet corners");
    EXPECT_EQ(f.btnCheckCalibrations->objectName() + " " + f.btnCheckCalibrations->text(), "btnCheckCalibrations Check calibrations");
    f.edMapsDir->setText(TESSARINE_DEMO "/maps");
    dialogs.saveFiles = {dir.filePath("new.map"), dir.filePath("new.map"), dir.filePath("sheets.geojson")};
    dialogs.numbers = {600};
    f.btnNewIndexMap->click();
    EXPECT_EQ(f.edBlankMapFile->text(), dir.filePath("new.map"));
    EXPECT_EQ(QImage(dir.filePath("new.jpg")).width(), 600);
    f.btnNewIndexMap->click();  // asked, answered No
    EXPECT_EQ(dialogs.questions, QStringList{"Replace the existing new.map and new.jpg?"});

    EXPECT_FALSE(f.btnExport->isEnabled() || f.btnCheckCalibrations->isEnabled());
    f.cbSheetCorners->setCurrentIndex(2);
    f.btnAnalyze->click();
    EXPECT_TRUE(f.cbSheetCorners->isEnabled());
    EXPECT_TRUE(f.meRes->toPlainText().contains("\n...outline from 4 calibration points\n"));
    ASSERT_TRUE(f.btnExport->isEnabled() && f.btnCheckCalibrations->isEnabled());
    f.btnExport->click();
    EXPECT_TRUE(QFileInfo(dir.filePath("sheets.geojson")).isFile());
    f.btnCheckCalibrations->click();
    EXPECT_TRUE(f.meRes->toPlainText().contains("\nChecking calibrations...\n"));
    f.btnClearAll->click();
    EXPECT_FALSE(f.btnExport->isEnabled() || f.btnCheckCalibrations->isEnabled());
    f.close();
    EXPECT_TRUE(settingsText().endsWith("\n[calibration]\nCorners=2\n")) << settingsText().toStdString();
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(u'\n').toStdString();
    EXPECT_EQ(dialogs.suggestedFiles, (QStringList{TESSARINE_DEMO "/maps-new.map", dir.filePath("new-new.map"),
                                                   dir.filePath("new.geojson")}));
    EXPECT_EQ(dialogs.numbersAsked, QStringList{"Width in pixels: 4000"});
}

}  // namespace
