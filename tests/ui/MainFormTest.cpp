#include "QtPrint.h"
#include "UiFixture.h"
#include "imaging/JpegCodec.h"
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

TEST_F(MainForm, FirstStartWithoutSettingsFile)
{
    TMainForm& f = open();
    EXPECT_EQ(f.windowTitle(), QString("Tessarine"));
    EXPECT_EQ(f.size(), QSize(960, 763));
    EXPECT_TRUE(f.windowIcon().availableSizes().contains(QSize(24, 24)));
    EXPECT_EQ(f.font().family(), QString("Tahoma"));
    EXPECT_EQ(f.edMapsDir->text(), QString());
    EXPECT_EQ(f.logHeight(), 80);
    EXPECT_EQ(f.namesFont(), NamesFont{});
    EXPECT_EQ(f.rdSrc->itemIndex(), 0);
    EXPECT_EQ(f.udLineWidth->value(), 5);
    EXPECT_EQ(f.clbLine->currentIndex(), 9);
    EXPECT_FALSE(f.chbFill->isChecked());
    EXPECT_EQ(f.rdCenters->itemIndex(), 0);
    EXPECT_EQ(f.tbOpacity->value(), 30);
    EXPECT_EQ(f.lbOpacity->text(), QString("Opacity: 240"));
    EXPECT_EQ(f.tbOpacity->parentWidget(), f.gpNames);
    EXPECT_EQ(f.tbOpacity->geometry(), QRect(9, 294, 116, 25));
    EXPECT_EQ(f.tbOpacity->maximum(), 32);
    EXPECT_EQ(f.tbOpacity->tickInterval(), 2);
    EXPECT_EQ(EnabledCommands(f), QStringList{"btnAnalyze"});
    for (QPushButton* b : {f.btnFont, f.btnFontColor, f.btnList, f.btnExit, f.btnSelectDir, f.btnSelectMapFile})
        EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_FALSE(f.workspace().centersReady);
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

    // Each edit box is reachable through its label.
    EXPECT_EQ(find<QLabel>("Label1")->buddy(), f.edMapsDir);
    EXPECT_EQ(find<QLabel>("Label2")->buddy(), f.edBlankMapFile);
    EXPECT_EQ(f.edBlankMapFile->geometry(), QRect(124, 31, 421, 21));
}

struct StoredCase {
    const char* stored;
    int position;
    const char* label;
    int centres;
    int source;
};

class StoredStart : public UiFixture, public ::testing::WithParamInterface<StoredCase> {};

// A stored barycenter still starts without centres: Calc for preview stays
// disabled until the steps before it ran.
TEST_P(StoredStart, SetsTheControls)
{
    const StoredCase& c = GetParam();
    writeSettings(QByteArray("[graphics]\n") + c.stored + "\n");
    TMainForm& f = open();
    EXPECT_EQ(f.tbOpacity->value(), c.position) << c.stored;
    EXPECT_EQ(f.lbOpacity->text(), QString(c.label)) << c.stored;
    EXPECT_EQ(f.rdCenters->itemIndex(), c.centres) << c.stored;
    EXPECT_EQ(f.workspace().centersMethod, c.centres) << c.stored;
    EXPECT_EQ(f.rdSrc->itemIndex(), c.source) << c.stored;
    EXPECT_TRUE(f.rdSrc->button(c.source)->isChecked()) << c.stored;
    EXPECT_FALSE(f.btnCalcNames->isEnabled()) << c.stored;
    EXPECT_FALSE(f.workspace().centersReady) << c.stored;
}

INSTANTIATE_TEST_SUITE_P(Values, StoredStart,
                         ::testing::Values(StoredCase{"Alpha=24", 24, "Opacity", 0, 0},
                                           StoredCase{"Alpha=40", 32, "Opacity: 256", 0, 0},
                                           StoredCase{"Alpha=-3", 0, "Opacity: 0", 0, 0},
                                           StoredCase{"Alpha=$10", 16, "Opacity: 128", 0, 0},
                                           StoredCase{"Alpha=junk", 30, "Opacity: 240", 0, 0},
                                           StoredCase{"CenterNames=1", 30, "Opacity: 240", 1, 0},
                                           StoredCase{"NamesSrc=9", 30, "Opacity: 240", 0, 3}));

TEST_F(MainForm, StoredValuesOutOfRangeAreBroughtIntoRange)
{
    writeSettings("[misc]\nmeResHeight=20\n[graphics]\nLineWidth=500\nLineColor=21\n"
                  "CenterNames=-5\nFillPolygons=7\nFont=00FF\n");
    TMainForm& f = open();
    EXPECT_EQ(f.udLineWidth->value(), 100);
    EXPECT_EQ(f.clbLine->currentIndex(), -1);
    EXPECT_EQ(f.logHeight(), 60);
    EXPECT_EQ(f.rdCenters->itemIndex(), -1);
    EXPECT_FALSE(f.rdCenters->button(0)->isChecked());
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
    EXPECT_EQ(f.logHeight(), 150);
    const NamesFont chosenFont = f.namesFont();
    f.close();

    const QStringList lines = settingsText().split('\n', Qt::SkipEmptyParts);
    QStringList keys;
    for (const QString& line : lines)
        keys.append(line.section('=', 0, 0));
    EXPECT_EQ(keys, (QStringList{"[misc]", "MapsDir", "MapFile", "meResHeight", "[graphics]", "Font", "LineWidth",
                                 "LineColor", "FillPolygons", "CenterNames", "NamesSrc", "Alpha"}));
    EXPECT_TRUE(lines.contains("FillPolygons=1"));

    form.reset();
    TMainForm& g = open();
    EXPECT_EQ(g.edMapsDir->text(), QString("/data/maps/"));
    EXPECT_EQ(g.logHeight(), 150);
    EXPECT_EQ(g.rdSrc->itemIndex(), 2);
    EXPECT_EQ(g.udLineWidth->value(), 9);
    EXPECT_EQ(g.clbLine->currentIndex(), 13);
    EXPECT_TRUE(g.chbFill->isChecked());
    EXPECT_EQ(g.rdCenters->itemIndex(), 1);
    EXPECT_EQ(g.tbOpacity->value(), 17);
    EXPECT_EQ(g.namesFont(), chosenFont);

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
    QFont chosen("DejaVu Sans");
    chosen.setPixelSize(30);
    chosen.setBold(true);
    dialogs.fonts.push_back(chosen);
    f.btnFont->click();
    const NamesFont picked = f.namesFont();
    EXPECT_EQ(picked.height, -30);
    EXPECT_TRUE(picked.bold);
    f.btnFont->click();
    EXPECT_EQ(f.namesFont(), picked);
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

// Each button enables the next; the annotated image is saved over the overview.
TEST_F(MainForm, WholeButtonSequenceSavesTheAnnotatedOverview)
{
    const QString maps = makeDemo(2);
    QImage overview(1000, 800, QImage::Format_RGB32);
    overview.fill(Qt::white);
    const QByteArray original = EncodeJpeg(overview);
    testfiles::Write(dir.filePath("index.jpg"), original);
    TMainForm& f = open();
    f.edMapsDir->setText(maps);
    f.edBlankMapFile->setText(indexFile);
    for (QPushButton* b : {f.btnAnalyze, f.btnLoadImage, f.btnCalc, f.btnDraw, f.btnCalcNames, f.btnNames, f.btnSave}) {
        ASSERT_TRUE(b->isEnabled()) << b->objectName().toStdString();
        b->click();
    }
    EXPECT_TRUE(dialogs.errors.isEmpty());
    const QByteArray saved = testfiles::Read(dir.filePath("index.jpg"));
    EXPECT_NE(saved, original);
    EXPECT_EQ(DecodeJpeg(saved, -1).size(), QSize(1000, 800));
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

// The folder dialog starts at an existing folder only; the map file dialog
// is preset with the box's file or else the last choice.
TEST_F(MainForm, FileButtonsPresetTheirDialogsFromTheBoxes)
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
