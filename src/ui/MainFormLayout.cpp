// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's controls as its layout places them: the top strip with
// the zoom control, the work panel with the image view and the log, and
// the command panel.

#include "settings/SettingsTable.h"
#include "ui/ImageView.h"
#include "ui/MainFormUnit.h"
#include "ui/RadioGroup.h"
#include "ui/WindowWidgets.h"
#include "ui/ZoomLevels.h"
#include "workflow/coverage/Coverage.h"
#include "workflow/panel/LineColors.h"

#include <QComboBox>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>

namespace {

constexpr int kCommandPanelWidth = 166;
constexpr int kCommandContentHeight = 972;

}  // namespace

void TMainForm::buildTopStrip()
{
    Label1 = Named(new QLabel(QStringLiteral("Maps directory"), this), "Label1", {8, 11, 110, 14});
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edMapsDir = Named(new QLineEdit(this), "edMapsDir", {124, 8, 421, 21});
    edMapsDir->setAccessibleName(QStringLiteral("Maps directory"));
    edMapsDir->setAcceptDrops(false);  // a dropped folder or .map goes to its own box, not as text
    Label1->setBuddy(edMapsDir);
    btnSelectDir = Button(QStringLiteral("..."), "btnSelectDir", this, {551, 8, 42, 21}, false);
    btnSelectDir->setAccessibleName(QStringLiteral("Choose the maps directory"));

    Label2 = Named(new QLabel(QStringLiteral("Index map file"), this), "Label2", {8, 34, 110, 14});
    Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edBlankMapFile = Named(new QLineEdit(this), "edBlankMapFile", {124, 31, 421, 21});
    edBlankMapFile->setAccessibleName(QStringLiteral("Index map file"));
    edBlankMapFile->setAcceptDrops(false);
    Label2->setBuddy(edBlankMapFile);
    btnSelectMapFile = Button(QStringLiteral("..."), "btnSelectMapFile", this, {551, 31, 42, 21}, false);
    btnSelectMapFile->setAccessibleName(QStringLiteral("Choose the index map file"));

    imgEmpty = Named(new QLabel(this), "imgEmpty", {644, 8, 25, 29});
    buildZoomControl();
}

// Two rows right of the paths' buttons and "New…": -, the percentage, +
// above; Fit and 100% below.
void TMainForm::buildZoomControl()
{
    const auto zoomButton = [this](const QString& caption, const char* name, QRect geometry, const QString& what,
                                   const QString& keys) {
        QPushButton* button = Button(caption, name, this, geometry, false);
        button->setAccessibleName(what);
        button->setToolTip(QStringLiteral("%1 (%2)").arg(what, keys));
        button->setFocusPolicy(Qt::TabFocus);
        return button;
    };
    btnZoomOut = zoomButton(QStringLiteral("\u2212"), "btnZoomOut", {646, 8, 21, 21}, QStringLiteral("Zoom out"),
                            QStringLiteral("Ctrl+-"));
    lbZoom = Named(new QLabel(ZoomText(1.0), this), "lbZoom", {669, 8, 36, 21});
    lbZoom->setAlignment(Qt::AlignCenter);
    btnZoomIn = zoomButton(QStringLiteral("+"), "btnZoomIn", {707, 8, 21, 21}, QStringLiteral("Zoom in"),
                           QStringLiteral("Ctrl++"));
    btnZoomFit = zoomButton(QStringLiteral("Fit"), "btnZoomFit", {646, 31, 40, 21},
                            QStringLiteral("Fit the whole image"), QStringLiteral("Ctrl+0"));
    btnZoomActual = zoomButton(QStringLiteral("100%"), "btnZoomActual", {688, 31, 40, 21},
                               QStringLiteral("Actual pixels"), QStringLiteral("Ctrl+1"));
    // The empty picture lies under the control; it is never seen.
    imgEmpty->lower();
}

void TMainForm::buildWorkPanel()
{
    pnlMain = Named(new QFrame(this), "pnlMain", {0, 58, 793, 704});
    pnlMain->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    Splitter1 = new QSplitter(Qt::Vertical, pnlMain);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(3);
    Splitter1->setChildrenCollapsible(false);

    scrBox = new QScrollArea(Splitter1);
    scrBox->setObjectName(QStringLiteral("scrBox"));
    scrBox->setBackgroundRole(QPalette::Dark);
    scrBox->setAccessibleName(QStringLiteral("Index image"));
    imgMap = new TImageView(&ws_.workingImage);
    imgMap->setObjectName(QStringLiteral("imgMap"));
    imgMap->placeIn(scrBox);
    imgMap->installEventFilter(this);
    connect(imgMap, &TImageView::zoomChanged, this, &TMainForm::mirrorZoom);

    meRes = new QPlainTextEdit(Splitter1);
    meRes->setObjectName(QStringLiteral("meRes"));
    meRes->setReadOnly(true);
    meRes->setUndoRedoEnabled(false);
    meRes->setLineWrapMode(QPlainTextEdit::NoWrap);
    meRes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    meRes->setMinimumHeight(kLogHeightSetting.range.min);
    meRes->setAccessibleName(QStringLiteral("Results log"));

    Splitter1->addWidget(scrBox);
    Splitter1->addWidget(meRes);
    // The log keeps its height when the window grows; the image takes the rest.
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
}

void TMainForm::buildCommandPanel()
{
    scrBoxCmd = Named(new QScrollArea(this), "scrBoxCmd", {794, 0, kCommandPanelWidth, 762});
    scrBoxCmd->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrBoxCmd->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scrBoxCmd->setFrameShape(QFrame::NoFrame);
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("scrBoxCmdContent"));
    content->setFixedSize(5 + 136, kCommandContentHeight);

    gpPre = Group(QStringLiteral("Preamble"), "gpPre", content, 0, 114);
    btnAnalyze = CommandButton(QStringLiteral("Analyze"), "btnAnalyze", gpPre, 17);
    btnLoadImage = CommandButton(QStringLiteral("Load image"), "btnLoadImage", gpPre, 48);
    btnCalc = CommandButton(QStringLiteral("Calc points"), "btnCalc", gpPre, 79);

    gpLines = Group(QStringLiteral("Bordes"), "gpLines", content, 120, 161);
    Label3 = Named(new QLabel(QStringLiteral("Line width"), gpLines), "Label3", {9, 19, 60, 14});
    udLineWidth = Named(new QSpinBox(gpLines), "udLineWidth", {72, 16, 52, 21});
    udLineWidth->setRange(kLineWidthSetting.range.min, kLineWidthSetting.range.max);
    udLineWidth->setSingleStep(1);
    udLineWidth->setValue(kLineWidthSetting.fallback);
    udLineWidth->setAccessibleName(QStringLiteral("Line width"));
    edLineWidth = udLineWidth->findChild<QLineEdit*>();
    edLineWidth->setObjectName(QStringLiteral("edLineWidth"));
    edLineWidth->setAccessibleName(QStringLiteral("Line width"));
    Label3->setBuddy(udLineWidth);
    Label4 = Named(new QLabel(QStringLiteral("Line color"), gpLines), "Label4", {9, 50, 116, 14});
    clbLine = Named(new QComboBox(gpLines), "clbLine", {9, 68, 116, 22});
    for (const LineColorEntry& entry : LineColors()) {
        const QString name = QString::fromLatin1(entry.name);
        if (entry.rgb)
            clbLine->addItem(ColorSwatch(QColor::fromRgb(*entry.rgb)), name);
        else
            clbLine->addItem(ColorSwatch(customLineColor_), name);
    }
    clbLine->setCurrentIndex(10);  // Red, until the settings say otherwise
    clbLine->setAccessibleName(QStringLiteral("Line color"));
    Label4->setBuddy(clbLine);
    chbFill = Named(new QCheckBox(QStringLiteral("Fill polygons"), gpLines), "chbFill", {9, 100, 116, 17});
    btnDraw = CommandButton(QStringLiteral("Draw borders"), "btnDraw", gpLines, 123);

    gpNames = Group(QStringLiteral("Names"), "gpNames", content, 287, 363);
    rdCenters = new TRadioGroup(QStringLiteral(" Center names "),
                                {QStringLiteral("arithmetic mean"), QStringLiteral("barycenter")}, gpNames);
    Named(rdCenters, "rdCenters", {9, 18, 116, 56});
    rdCenters->setItemIndex(0);
    btnCalcNames = Button(QStringLiteral("Calc for preview"), "btnCalcNames", gpNames, {20, 80, 93, 21}, false);
    btnFont = Button(QStringLiteral("Font"), "btnFont", gpNames, {20, 107, 61, 21}, false);
    btnFontColor = Button(QStringLiteral("C"), "btnFontColor", gpNames, {88, 107, 25, 21}, false);
    btnFontColor->setToolTip(QStringLiteral("Font color"));
    btnFontColor->setAccessibleName(QStringLiteral("Font color"));
    rdSrc = new TRadioGroup(QStringLiteral("Name source"),
                            {QStringLiteral("Map name"), QStringLiteral("Map file name"),
                             QStringLiteral("Image file name"), QStringLiteral("Custom list")},
                            gpNames);
    Named(rdSrc, "rdSrc", {9, 134, 116, 101});
    rdSrc->setItemIndex(0);
    btnList = Button(QStringLiteral("Custom list"), "btnList", gpNames, {20, 241, 93, 21}, false);
    lbOpacity = Named(new QLabel(QStringLiteral("Opacity"), gpNames), "lbOpacity", {7, 276, 118, 14});
    btnNames = CommandButton(QStringLiteral("Draw map names"), "btnNames", gpNames, 327);

    gpEdit = Group(QStringLiteral("Edit"), "gpEdit", content, 656, 86);
    btnUndo = CommandButton(QStringLiteral("Undo"), "btnUndo", gpEdit, 19);
    btnClearAll = CommandButton(QStringLiteral("Clear all"), "btnClearAll", gpEdit, 50);
    btnClearAll->setToolTip(QStringLiteral("Including calculatings and image"));

    gpFinish = Group(QStringLiteral("Finish"), "gpFinish", content, 748, 88);
    btnSave = CommandButton(QStringLiteral("Save jpg"), "btnSave", gpFinish, 17);
    btnExit = CommandButton(QStringLiteral("Exit"), "btnExit", gpFinish, 48);

    gpCoverage = Group(QStringLiteral("Coverage"), "gpCoverage", content, 842, 130);
    lbCoverageScale = Named(new QLabel(QStringLiteral("Sheet scale"), gpCoverage), "lbCoverageScale", {9, 19, 116, 14});
    cbCoverageScale = Named(new QComboBox(gpCoverage), "cbCoverageScale", {9, 36, 116, 22});
    cbCoverageScale->addItem(QStringLiteral("Auto"), kAutoScale);
    for (int scale : SheetScales())
        cbCoverageScale->addItem(ScaleText(scale), scale);
    cbCoverageScale->setAccessibleName(QStringLiteral("Sheet scale"));
    lbCoverageScale->setBuddy(cbCoverageScale);
    btnCoverage = CommandButton(QStringLiteral("Coverage"), "btnCoverage", gpCoverage, 66);
    btnCoverage->setAccessibleName(QStringLiteral("Coverage"));
    // The full caption does not fit the panel's button width in the bold font.
    btnDrawMissing = CommandButton(QStringLiteral("Draw missing"), "btnDrawMissing", gpCoverage, 97);
    btnDrawMissing->setToolTip(QStringLiteral("Draw missing sheets"));
    btnDrawMissing->setAccessibleName(QStringLiteral("Draw missing sheets"));

    scrBoxCmd->setWidget(content);
}

// The anchors: the work panel follows all four sides, the command panel
// the top, right and bottom ones; the top strip stays where it is.
void TMainForm::placeAnchored()
{
    const int w = width();
    const int h = height();
    pnlMain->setGeometry(0, 58, w - kCommandPanelWidth - 1, h - 59);
    Splitter1->setGeometry(pnlMain->contentsRect());
    scrBoxCmd->setGeometry(w - kCommandPanelWidth, 0, kCommandPanelWidth, h - 1);
}
