// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtPrint.h"
#include "UiFixture.h"
#include "ui/RadioGroup.h"
#include "ui/TCTrackBar.h"

#include <QCheckBox>
#include <QComboBox>
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
            {"corners", QString::number(f.cbSheetCorners->currentIndex())},
            {"font", f.namesFont() == NamesFont{} ? QStringLiteral("default") : QStringLiteral("chosen")}};
}

// The results log keeps its minimum height however far the bar above it is
// dragged down; a stored height below it starts at it (stored-start.txt).
TEST_F(UiFixture, TheLogKeepsItsMinimumHeight)
{
    TMainForm& f = open();
    const int total = f.Splitter1->height() - f.Splitter1->handleWidth();
    f.Splitter1->setSizes({total - 20, 20});
    EXPECT_EQ(f.logHeight(), 60);
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

}  // namespace
