#include "QtPrint.h"
#include "UiFixture.h"
#include "ui/RadioGroup.h"
#include "ui/TCTrackBar.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QTest>

#include <sys/mount.h>

namespace {

using MainForm = UiFixture;

QStringList EnabledCommands(TMainForm& f)
{
    QStringList names;
    for (QPushButton* b : {f.btnAnalyze, f.btnLoadImage, f.btnCalc, f.btnDraw, f.btnCalcNames, f.btnNames,
                           f.btnUndo, f.btnClearAll, f.btnSave}) {
        if (b->isEnabled())
            names.append(b->objectName());
    }
    return names;
}

TEST_F(MainForm, FirstStartWithoutSettingsFile)
{
    TMainForm& f = open();
    EXPECT_EQ(f.windowTitle(), QString("Tessarine"));
    EXPECT_EQ(f.size(), QSize(960, 763));
    ASSERT_FALSE(f.windowIcon().isNull());
    EXPECT_TRUE(f.windowIcon().availableSizes().contains(QSize(24, 24)));
    EXPECT_EQ(f.font().family(), QString("Tahoma"));
    EXPECT_EQ(f.edMapsDir->text(), QString());
    EXPECT_EQ(f.edBlankMapFile->text(), QString());
    EXPECT_EQ(f.logHeight(), 80);
    EXPECT_EQ(f.namesFont(), NamesFont{});
    EXPECT_EQ(f.rdSrc->itemIndex(), 0);
    EXPECT_EQ(f.udLineWidth->value(), 5);
    EXPECT_EQ(f.edLineWidth->text(), QString("5"));
    EXPECT_EQ(f.clbLine->currentIndex(), 9);
    EXPECT_EQ(f.clbLine->currentText(), QString("Silver"));
    EXPECT_FALSE(f.chbFill->isChecked());
    EXPECT_EQ(f.rdCenters->itemIndex(), 0);
    EXPECT_EQ(f.tbOpacity->value(), 30);
    EXPECT_EQ(f.lbOpacity->text(), QString("Opacity: 240"));
    EXPECT_EQ(EnabledCommands(f), QStringList{"btnAnalyze"});
    for (QPushButton* b : {f.btnFont, f.btnFontColor, f.btnList, f.btnExit, f.btnSelectDir, f.btnSelectMapFile})
        EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_FALSE(f.workspace().centersReady);
    EXPECT_EQ(f.workspace().centersMethod, 0);
    EXPECT_FALSE(f.meRes->isReadOnly() == false);
    EXPECT_FALSE(QFile::exists(settingsPath)) << "nothing is written before the window closes";
}

TEST_F(MainForm, ControlsHaveTheirNamesCaptionsAndPlaces)
{
    TMainForm& f = open();
    struct Expect {
        const char* name;
        const char* caption;
        QRect geometry;
    };
    const Expect buttons[] = {
        {"btnAnalyze", "Analyze", {9, 17, 116, 25}},       {"btnLoadImage", "Load image", {9, 48, 116, 25}},
        {"btnCalc", "Calc points", {9, 79, 116, 25}},      {"btnDraw", "Draw borders", {9, 123, 116, 25}},
        {"btnCalcNames", "Calc for preview", {20, 80, 93, 21}}, {"btnFont", "Font", {20, 107, 61, 21}},
        {"btnFontColor", "C", {88, 107, 25, 21}},           {"btnList", "Custom list", {20, 241, 93, 21}},
        {"btnNames", "Draw map names", {9, 327, 116, 25}},  {"btnUndo", "Undo", {9, 19, 116, 25}},
        {"btnClearAll", "Clear all", {9, 50, 116, 25}},     {"btnSave", "Save jpg", {9, 17, 116, 25}},
        {"btnExit", "Exit", {9, 48, 116, 25}},              {"btnSelectDir", "...", {551, 8, 42, 21}},
        {"btnSelectMapFile", "...", {551, 31, 42, 21}},
    };
    for (const Expect& e : buttons) {
        auto* b = find<QPushButton>(e.name);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->text(), QString(e.caption)) << e.name;
        EXPECT_EQ(b->geometry(), e.geometry) << e.name;
    }
    EXPECT_TRUE(f.btnAnalyze->font().bold());
    EXPECT_FALSE(f.btnCalcNames->font().bold());
    EXPECT_EQ(f.btnFontColor->toolTip(), QString("Font color"));
    EXPECT_EQ(f.btnClearAll->toolTip(), QString("Including calculatings and image"));

    const std::pair<const char*, QRect> groups[] = {{"gpPre", {5, 0, 136, 114}},    {"gpLines", {5, 120, 136, 161}},
                                                    {"gpNames", {5, 287, 136, 363}}, {"gpEdit", {5, 656, 136, 86}},
                                                    {"gpFinish", {5, 748, 136, 88}}};
    for (const auto& [name, geometry] : groups)
        EXPECT_EQ(find<QGroupBox>(name)->geometry(), geometry) << name;
    EXPECT_EQ(f.gpLines->title(), QString("Bordes"));
    EXPECT_EQ(f.scrBoxCmd->widget()->height(), 836);
    EXPECT_EQ(f.rdCenters->title(), QString(" Center names "));
    EXPECT_EQ(f.rdSrc->button(3)->text(), QString("Custom list"));
    EXPECT_EQ(f.clbLine->count(), 21);
    EXPECT_EQ(f.clbLine->itemText(0), QString("Custom..."));
    EXPECT_EQ(f.clbLine->itemText(20), QString("Med Gray"));

    // Each edit box is reachable through its label.
    EXPECT_EQ(find<QLabel>("Label1")->buddy(), f.edMapsDir);
    EXPECT_EQ(find<QLabel>("Label2")->buddy(), f.edBlankMapFile);
    EXPECT_EQ(find<QLabel>("Label1")->text(), QString("Maps directory"));
    EXPECT_EQ(f.edMapsDir->accessibleName(), QString("Maps directory"));
    EXPECT_EQ(f.edBlankMapFile->geometry(), QRect(124, 31, 421, 21));
    for (const char* name : {"pnlMain", "Splitter1", "scrBox", "imgMap", "meRes", "imgEmpty", "edLineWidth",
                             "udLineWidth", "chbFill", "lbOpacity", "tbOpacity"})
        EXPECT_NE(f.findChild<QWidget*>(name), nullptr) << name;
}

TEST_F(MainForm, OpacitySliderSitsAboveDrawMapNames)
{
    TMainForm& f = open();
    EXPECT_EQ(f.tbOpacity->parentWidget(), f.gpNames);
    EXPECT_EQ(f.tbOpacity->geometry(), QRect(9, 294, 116, 25));
    EXPECT_EQ(f.tbOpacity->minimum(), 0);
    EXPECT_EQ(f.tbOpacity->maximum(), 32);
    EXPECT_EQ(f.tbOpacity->tickInterval(), 2);
    EXPECT_EQ(f.tbOpacity->pageStep(), 2);
    EXPECT_EQ(f.tbOpacity->orientation(), Qt::Horizontal);
    f.tbOpacity->setValue(5);
    EXPECT_EQ(f.lbOpacity->text(), QString("Opacity: 40"));
    EXPECT_EQ(f.scrBoxCmd->verticalScrollBar()->value(), 0);
}

struct AlphaCase {
    const char* stored;
    int position;
    const char* label;
};

class StoredAlpha : public UiFixture, public ::testing::WithParamInterface<AlphaCase> {};

TEST_P(StoredAlpha, SetsTheSliderAndItsLabel)
{
    writeSettings(QByteArray("[graphics]\nAlpha=") + GetParam().stored + "\n");
    TMainForm& f = open();
    EXPECT_EQ(f.tbOpacity->value(), GetParam().position);
    EXPECT_EQ(f.lbOpacity->text(), QString(GetParam().label));
}

INSTANTIATE_TEST_SUITE_P(Values, StoredAlpha,
                         ::testing::Values(AlphaCase{"24", 24, "Opacity"}, AlphaCase{"40", 32, "Opacity: 256"},
                                           AlphaCase{"-3", 0, "Opacity: 0"}, AlphaCase{"$10", 16, "Opacity: 128"},
                                           AlphaCase{"junk", 30, "Opacity: 240"}));

TEST_F(MainForm, StoredBarycenterStillStartsWithoutCentres)
{
    writeSettings("[graphics]\nCenterNames=1\n");
    TMainForm& f = open();
    EXPECT_EQ(f.rdCenters->itemIndex(), 1);
    EXPECT_TRUE(f.rdCenters->button(1)->isChecked());
    EXPECT_FALSE(f.btnCalcNames->isEnabled());
    EXPECT_FALSE(f.workspace().centersReady);
    EXPECT_EQ(f.workspace().centersMethod, 1);
}

TEST_F(MainForm, StoredValuesOutOfRangeAreBroughtIntoRange)
{
    writeSettings("[misc]\nmeResHeight=20\n[graphics]\nNamesSrc=9\nLineWidth=500\nLineColor=21\n"
                  "CenterNames=-5\nFillPolygons=7\nFont=00FF\n");
    TMainForm& f = open();
    EXPECT_EQ(f.rdSrc->itemIndex(), 3);
    EXPECT_TRUE(f.rdSrc->button(3)->isChecked());
    EXPECT_EQ(f.udLineWidth->value(), 100);
    EXPECT_EQ(f.clbLine->currentIndex(), -1);
    EXPECT_EQ(f.logHeight(), 60);
    EXPECT_EQ(f.rdCenters->itemIndex(), -1);
    EXPECT_FALSE(f.rdCenters->button(0)->isChecked());
    EXPECT_EQ(f.workspace().centersMethod, -1);
    EXPECT_TRUE(f.chbFill->isChecked());
    EXPECT_EQ(f.namesFont(), NamesFont{}) << "a damaged font value keeps the design font";
}

TEST_F(MainForm, SettingsRoundTripThroughCloseAndANewWindow)
{
    TMainForm& f = open();
    f.edMapsDir->setText("/data/maps/");
    f.edBlankMapFile->setText("/data/index.map");
    f.rdSrc->setItemIndex(2);
    f.udLineWidth->setValue(9);
    f.clbLine->setCurrentIndex(13);
    f.chbFill->setChecked(true);
    f.rdCenters->setItemIndex(1);
    f.tbOpacity->setValue(17);
    QFont chosen("DejaVu Serif");
    chosen.setPixelSize(21);
    chosen.setItalic(true);
    dialogs.fonts.push_back(chosen);
    dialogs.colors.push_back(QColor(0, 0, 255));
    f.btnFont->click();
    f.btnFontColor->click();
    f.resize(1000, 900);
    f.Splitter1->setSizes({400, 150});
    const int logHeight = f.logHeight();
    EXPECT_EQ(logHeight, 150);
    f.close();

    const QStringList lines = settingsText().split('\n', Qt::SkipEmptyParts);
    QStringList keys;
    for (const QString& line : lines)
        keys.append(line.section('=', 0, 0));
    EXPECT_EQ(keys, (QStringList{"[misc]", "MapsDir", "MapFile", "meResHeight", "[graphics]", "Font", "LineWidth",
                                 "LineColor", "FillPolygons", "CenterNames", "NamesSrc", "Alpha"}));
    EXPECT_TRUE(lines.contains("FillPolygons=1"));
    EXPECT_TRUE(lines.contains("MapsDir=/data/maps/"));
    EXPECT_TRUE(lines.contains("meResHeight=150"));

    form.reset();
    TMainForm& g = open();
    EXPECT_EQ(g.edMapsDir->text(), QString("/data/maps/"));
    EXPECT_EQ(g.edBlankMapFile->text(), QString("/data/index.map"));
    EXPECT_EQ(g.logHeight(), 150);
    EXPECT_EQ(g.rdSrc->itemIndex(), 2);
    EXPECT_EQ(g.udLineWidth->value(), 9);
    EXPECT_EQ(g.clbLine->currentIndex(), 13);
    EXPECT_TRUE(g.chbFill->isChecked());
    EXPECT_EQ(g.rdCenters->itemIndex(), 1);
    EXPECT_EQ(g.tbOpacity->value(), 17);
    EXPECT_EQ(g.namesFont().family, QString("DejaVu Serif"));
    EXPECT_EQ(g.namesFont().height, -21);
    EXPECT_TRUE(g.namesFont().italic);
    EXPECT_EQ(g.namesFont().color, QColor(0, 0, 255));

    g.chbFill->setChecked(false);
    g.btnExit->click();  // Exit saves as the close box does
    EXPECT_TRUE(settingsText().contains("\nFillPolygons=0\n"));
}

TEST_F(MainForm, CancelledFontAndColourDialogsChangeNothing)
{
    TMainForm& f = open();
    f.btnFont->click();
    f.btnFontColor->click();
    EXPECT_EQ(f.namesFont(), NamesFont{});
}

TEST_F(MainForm, RefusedSettingsWriteIsReportedAndTheWindowClosesAllTheSame)
{
    const QString readOnly = dir.filePath("ro");
    QDir().mkdir(readOnly);
    if (mount("tmpfs", readOnly.toLocal8Bit().constData(), "tmpfs", MS_RDONLY, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a read-only tmpfs here";
    settingsPath = readOnly + "/tessarine.ini";
    TMainForm& f = open();
    f.show();
    EXPECT_TRUE(f.close());
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(dialogs.errors, QStringList{"Unable to write to " + settingsPath});
    umount(readOnly.toLocal8Bit().constData());
}

TEST_F(MainForm, AnalyzeFromItsButton)
{
    const QString maps = makeDemo(2);
    TMainForm& f = open();
    f.edMapsDir->setText(maps);
    f.edBlankMapFile->setText(indexFile);
    QTest::mouseClick(f.btnAnalyze, Qt::LeftButton);
    EXPECT_EQ(f.edMapsDir->text(), maps + "/");
    const QStringList log = f.meRes->toPlainText().split('\n');
    EXPECT_EQ(log.first(), QString("Index map is ok"));
    EXPECT_TRUE(log.contains("3 map files analysed"));
    EXPECT_TRUE(log.contains("2 map files is ok"));
    EXPECT_TRUE(log.contains("...is not inside index map"));
    EXPECT_EQ(EnabledCommands(f), (QStringList{"btnLoadImage", "btnClearAll"}));
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(MainForm, ErrorOfAHandlerShowsInTheErrorBoxAndTheWindowGoesOn)
{
    const QString maps = makeDemo(1);
    QDir(maps).mkdir("old.map");  // a folder taken as a sheet: reading it fails
    TMainForm& f = open();
    f.edMapsDir->setText(maps);
    f.edBlankMapFile->setText(indexFile);
    f.btnAnalyze->click();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith("Cannot open file \"" + maps + "/old.map\"")) << dialogs.errors[0].toStdString();
    EXPECT_EQ(f.edMapsDir->text(), maps + "/") << "the box shows the separator added before the error";
    EXPECT_TRUE(f.meRes->toPlainText().contains("Index map is ok"));
    EXPECT_EQ(EnabledCommands(f), QStringList{"btnAnalyze"});

    // The window goes on: fixed input analyses normally.
    QDir(maps).rmdir("old.map");
    f.btnAnalyze->click();
    EXPECT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(f.meRes->toPlainText().endsWith("2 map files analysed\n1 map files is ok"));
}

TEST_F(MainForm, MissingIndexMapOnlyWritesItsLine)
{
    TMainForm& f = open();
    f.edBlankMapFile->setText(dir.path());
    f.btnAnalyze->click();
    EXPECT_EQ(f.meRes->toPlainText(), QString("Index map file does not exist"));
    EXPECT_EQ(f.edMapsDir->text(), QString());
    EXPECT_EQ(EnabledCommands(f), QStringList{"btnAnalyze"});
}

TEST_F(MainForm, FolderButtonStartsAtAnExistingFolderOnly)
{
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
}

TEST_F(MainForm, MapFileButtonPresetsTheBoxFileOrTheLastChoice)
{
    makeDemo(1);
    TMainForm& f = open();
    f.edBlankMapFile->setText(indexFile);
    dialogs.mapFiles.push_back(QString("/picked/one.map"));
    f.btnSelectMapFile->click();
    EXPECT_EQ(f.edBlankMapFile->text(), QString("/picked/one.map"));
    f.edBlankMapFile->setText(dir.path());  // a folder: the last choice stays
    f.btnSelectMapFile->click();
    EXPECT_EQ(f.edBlankMapFile->text(), dir.path());
    EXPECT_EQ(dialogs.mapFilePresets, (QStringList{indexFile, "/picked/one.map"}));
}

TEST_F(MainForm, ResultsLogKeepsALeadingEmptyLineAndShowsLinesInOrder)
{
    TMainForm& f = open();
    f.workspace().log.blank();
    f.workspace().log.append("first\nsecond");
    f.workspace().log.processPendingEvents();
    f.workspace().log.append("third");
    EXPECT_EQ(f.meRes->toPlainText(), QString("\nfirst\nsecond"));
    f.btnFontColor->click();  // any handler's end shows the rest
    EXPECT_EQ(f.meRes->toPlainText(), QString("\nfirst\nsecond\nthird"));
}

TEST_F(MainForm, CommandPanelFollowsTheRightEdgeAndWorkPanelGrows)
{
    TMainForm& f = open();
    f.show();
    f.resize(1200, 500);
    EXPECT_EQ(f.scrBoxCmd->geometry(), QRect(1200 - 166, 0, 166, 499));
    EXPECT_EQ(f.pnlMain->geometry(), QRect(0, 58, 1200 - 167, 500 - 59));
    EXPECT_EQ(f.logHeight(), 80) << "the log keeps its height";
}

}  // namespace

namespace {

TEST(SettingsPlace, BesideTheExecutableWhenItsFolderIsWritable)
{
    const QFileInfo exe(QCoreApplication::applicationFilePath());
    EXPECT_EQ(DefaultSettingsPath(), exe.absolutePath() + "/" + exe.completeBaseName() + ".ini");
}

}  // namespace
