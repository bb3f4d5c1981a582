// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainFormUnit.h"

#include "core/Errors.h"
#include "ui/CustomListFormUnit.h"
#include "ui/Dialogs.h"
#include "ui/FontMapping.h"
#include "ui/ImageView.h"
#include "ui/RadioGroup.h"
#include "ui/TCTrackBar.h"
#include "ui/WindowWidgets.h"
#include "workflow/panel/Analyze.h"
#include "workflow/panel/CalcNameCenters.h"
#include "workflow/panel/CalcPoints.h"
#include "workflow/panel/ClearAll.h"
#include "workflow/coverage/Coverage.h"
#include "workflow/panel/DrawBorders.h"
#include "workflow/coverage/DrawMissingSheets.h"
#include "workflow/panel/DrawNames.h"
#include "workflow/panel/LineColors.h"
#include "workflow/panel/LoadImage.h"
#include "workflow/panel/SaveJpg.h"
#include "workflow/panel/Undo.h"
#include "ui/ZoomLevels.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDropEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSpinBox>
#include <QSplitter>
#include <QStyle>
#include <QWheelEvent>

#include <algorithm>
#include <exception>

namespace {

constexpr int kClientWidth = 960;
constexpr int kClientHeight = 763;
constexpr int kCommandPanelWidth = 166;
constexpr int kCommandContentHeight = 972;
constexpr int kMinLogHeight = 60;

// Shown while a command runs: on a large overview the image steps take
// seconds. Gone before an error box shows.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// The one local folder or calibration file a drag carries.
std::optional<QFileInfo> DroppedPath(const QMimeData* mime)
{
    if (!mime->hasUrls() || mime->urls().size() != 1)
        return std::nullopt;
    const QFileInfo info(mime->urls().front().toLocalFile());
    if (info.isDir() || (info.isFile() && info.suffix().compare(QStringLiteral("map"), Qt::CaseInsensitive) == 0))
        return info;
    return std::nullopt;
}

QIcon ColorSwatch(QColor color)
{
    QPixmap swatch(16, 12);
    swatch.fill(color);
    return QIcon(swatch);
}

}  // namespace

TMainForm::TMainForm(const QString& settingsPath, UiDialogs* dialogs, QWidget* parent)
    : QWidget(parent),
      ownDialogs_(dialogs ? nullptr : std::make_unique<QtDialogs>()),
      dialogs_(dialogs ? dialogs : ownDialogs_.get()),
      ws_(log_),
      ini_(settingsPath)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Tessarine"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/tessarine.png")));
    setFont(WindowFont());
    setMinimumSize(800, 240);
    setAcceptDrops(true);
    resize(kClientWidth, kClientHeight);
    move(0, 0);

    buildTopStrip();
    buildWorkPanel();
    buildCommandPanel();
    buildIndexTools();
    log_.attach(meRes);
    placeAnchored();
    connectHandlers();
    mirrorState();

    FormCreate();
}

TMainForm::~TMainForm() { delete customListForm_; }

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
    scrBox->setWidget(imgMap);
    scrBox->setWidgetResizable(false);
    imgMap->installEventFilter(this);
    scrBox->viewport()->installEventFilter(this);

    meRes = new QPlainTextEdit(Splitter1);
    meRes->setObjectName(QStringLiteral("meRes"));
    meRes->setReadOnly(true);
    meRes->setUndoRedoEnabled(false);
    meRes->setLineWrapMode(QPlainTextEdit::NoWrap);
    meRes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    meRes->setMinimumHeight(kMinLogHeight);
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
    udLineWidth->setRange(1, 100);
    udLineWidth->setSingleStep(1);
    udLineWidth->setValue(5);
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

void TMainForm::connectHandlers()
{
    const auto on = [this](QPushButton* button, void (TMainForm::*handler)()) {
        connect(button, &QPushButton::clicked, this, [this, handler] { handle([this, handler] { (this->*handler)(); }); });
    };
    const auto command = [this](QPushButton* button, void (TMainForm::*handler)()) {
        connect(button, &QPushButton::clicked, this, [this, handler] {
            handle([this, handler] {
                const WaitCursor busy;
                (this->*handler)();
            });
        });
    };
    on(btnSelectDir, &TMainForm::btnSelectDirClick);
    on(btnSelectMapFile, &TMainForm::btnSelectMapFileClick);
    on(btnFont, &TMainForm::btnFontClick);
    on(btnFontColor, &TMainForm::btnFontColorClick);
    on(btnList, &TMainForm::btnListClick);
    command(btnAnalyze, &TMainForm::btnAnalyzeClick);
    command(btnLoadImage, &TMainForm::btnLoadImageClick);
    command(btnCalc, &TMainForm::btnCalcClick);
    command(btnDraw, &TMainForm::btnDrawClick);
    command(btnCalcNames, &TMainForm::btnCalcNamesClick);
    command(btnNames, &TMainForm::btnNamesClick);
    command(btnUndo, &TMainForm::btnUndoClick);
    command(btnClearAll, &TMainForm::btnClearAllClick);
    command(btnSave, &TMainForm::btnSaveClick);
    command(btnCoverage, &TMainForm::btnCoverageClick);
    command(btnDrawMissing, &TMainForm::btnDrawMissingClick);
    connect(btnExit, &QPushButton::clicked, this, &QWidget::close);
    const std::pair<void (TMainForm::*)(), QList<QKeySequence>> zooms[] = {
        {&TMainForm::ZoomInClick, {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)}},
        {&TMainForm::ZoomOutClick, {QKeySequence(Qt::CTRL | Qt::Key_Minus)}},
        {&TMainForm::ZoomFitClick, {QKeySequence(Qt::CTRL | Qt::Key_0)}},
        {&TMainForm::ZoomActualClick, {QKeySequence(Qt::CTRL | Qt::Key_1)}},
    };
    QPushButton* const zoomButtons[] = {btnZoomIn, btnZoomOut, btnZoomFit, btnZoomActual};
    for (std::size_t i = 0; i < std::size(zooms); ++i) {
        const auto handler = zooms[i].first;
        connect(zoomButtons[i], &QPushButton::clicked, this, handler);
        for (const QKeySequence& keys : zooms[i].second)
            connect(new QShortcut(keys, this), &QShortcut::activated, this, handler);
    }
    connect(rdCenters, &TRadioGroup::clicked, this, [this] { handle([this] { rdCentersClick(); }); });
    // Only a choice made in the list asks for a custom colour, not one the
    // settings make.
    connect(clbLine, &QComboBox::activated, this, [this](int index) { handle([this, index] { clbLineSelect(index); }); });
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

void TMainForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeAnchored();
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (DroppedPath(event->mimeData()))
        event->acceptProposedAction();
}

// A folder fills the maps directory box, a .map the index map file box.
void TMainForm::dropEvent(QDropEvent* event)
{
    const auto path = DroppedPath(event->mimeData());
    if (!path)
        return;
    (path->isDir() ? edMapsDir : edBlankMapFile)->setText(path->filePath());
    event->acceptProposedAction();
}

void TMainForm::handle(const std::function<void()>& handler)
{
    // A button reached from the keyboard while the slider is held: the
    // operation must neither draw over the preview nor have its result
    // overwritten, or its image replaced under it, by the release.
    preview_.hide(ws_.workingImage);
    runHandler(handler, true);
}

void TMainForm::handlePreview(const std::function<void()>& handler) { runHandler(handler, false); }

void TMainForm::runHandler(const std::function<void()>& handler, bool repaintImage)
{
    std::optional<QString> error;
    try {
        handler();
    } catch (const TessError& e) {
        error = e.text();
    } catch (const std::exception& e) {
        error = QString::fromLocal8Bit(e.what());
    }
    if (repaintImage)
        mirrorState();
    else
        mirrorCommands();
    if (error)
        dialogs_->showError(this, *error);
}

void TMainForm::mirrorState()
{
    mirrorCommands();
    imgMap->refresh();
    mirrorZoom();
}

void TMainForm::mirrorCommands()
{
    log_.flush();
    const std::pair<Command, QPushButton*> buttons[] = {
        {Command::Analyze, btnAnalyze}, {Command::LoadImage, btnLoadImage}, {Command::Calc, btnCalc},
        {Command::Draw, btnDraw},       {Command::CalcNames, btnCalcNames}, {Command::Names, btnNames},
        {Command::Undo, btnUndo},       {Command::ClearAll, btnClearAll},   {Command::Save, btnSave},
        {Command::Coverage, btnCoverage}, {Command::DrawMissing, btnDrawMissing},
        {Command::Export, btnExport}, {Command::Publish, btnPublish},
    };
    for (const auto& [command, button] : buttons)
        button->setEnabled(ws_.commands.enabled(command));
    btnSaveAs->setEnabled(ws_.commands.enabled(Command::Save));
}

void TMainForm::FormCreate()
{
    tbOpacity = new TCTrackBar(gpNames);
    tbOpacity->setObjectName(QStringLiteral("tbOpacity"));
    tbOpacity->setAccessibleName(QStringLiteral("Opacity"));
    tbOpacity->resize(tbOpacity->width(), btnNames->height());
    tbOpacity->move(btnNames->x(), tbOpacity->y());
    tbOpacity->setMaximum(32);
    tbOpacity->setValue(24);
    tbOpacity->setTickInterval(2);
    tbOpacity->setGeometry(tbOpacity->x(), btnNames->y() - tbOpacity->height() - 8, btnNames->width(),
                           tbOpacity->height());
    lbOpacity->setBuddy(tbOpacity);
    connect(tbOpacity, &QSlider::valueChanged, this, [this] { handlePreview([this] { OpacityChange(); }); });
    connect(tbOpacity, &TCTrackBar::mousePressed, this, [this] { handlePreview([this] { OpacityMouseDown(); }); });
    connect(tbOpacity, &TCTrackBar::mouseReleased, this, [this] { handlePreview([this] { OpacityMouseUp(); }); });

    applySettings(ReadStoredSettings(ini_));

    // Reading the centre method ran its click handler; the centres are not
    // computed for any method yet.
    ws_.centersMethod = rdCenters->itemIndex();
    ws_.centersReady = false;
    ws_.commands.apply(Transition::StartedUp);
    mirrorState();

    scrBoxCmd->verticalScrollBar()->setValue(0);
}

void TMainForm::applySettings(const StoredSettings& s)
{
    edMapsDir->setText(s.mapsDir);
    edBlankMapFile->setText(s.mapFile);
    setLogHeight(s.meResHeight);
    if (s.font)
        namesFont_ = *s.font;
    rdSrc->setItemIndex(s.namesSrc);
    udLineWidth->setValue(s.lineWidth);
    clbLine->setCurrentIndex(s.lineColor >= 0 && s.lineColor < clbLine->count() ? s.lineColor : -1);
    chbFill->setChecked(s.fillPolygons);
    rdCenters->setItemIndex(s.centerNames);
    tbOpacity->setValue(s.alpha);
    cbCoverageScale->setCurrentIndex(std::max(0, cbCoverageScale->findData(s.coverageScale)));
}

StoredSettings TMainForm::currentSettings() const
{
    StoredSettings s;
    s.mapsDir = edMapsDir->text();
    s.mapFile = edBlankMapFile->text();
    s.meResHeight = logHeight();
    s.namesSrc = rdSrc->itemIndex();
    s.lineWidth = udLineWidth->value();
    s.lineColor = clbLine->currentIndex();
    s.fillPolygons = chbFill->isChecked();
    s.centerNames = rdCenters->itemIndex();
    s.alpha = tbOpacity->value();
    s.coverageScale = coverageScale();
    return s;
}

int TMainForm::logHeight() const { return meRes->height(); }

void TMainForm::setLogHeight(int height)
{
    height = std::max(height, kMinLogHeight);
    const int total = Splitter1->height() - Splitter1->handleWidth();
    Splitter1->setSizes({std::max(0, total - height), height});
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    // Exit and the close box both come here; the window closes even when
    // the settings could not be written.
    if (!closed_) {
        closed_ = true;
        handle([this] { FormClose(); });
    }
    event->accept();
}

void TMainForm::FormClose()
{
    WriteStoredSettings(ini_, currentSettings(), namesFont_);
    delete customListForm_;
    customListForm_ = nullptr;
    ws_.data.CustomList.reset();
}

void TMainForm::btnSelectDirClick()
{
    const QString text = edMapsDir->text();
    const QString start = !text.isEmpty() && QFileInfo(text).isDir() ? text : QString();
    if (const auto dir = dialogs_->chooseDirectory(this, QStringLiteral("Directory with map files"), start))
        edMapsDir->setText(*dir);
}

void TMainForm::btnSelectMapFileClick()
{
    const QString text = edBlankMapFile->text();
    const QFileInfo info(text);
    if (!text.isEmpty() && info.exists() && !info.isDir())
        lastMapFile_ = text;
    if (const auto file = dialogs_->chooseMapFile(this, lastMapFile_)) {
        lastMapFile_ = *file;
        edBlankMapFile->setText(*file);
    }
}

void TMainForm::btnAnalyzeClick()
{
    QString dir = edMapsDir->text();
    // Analyze may add the separator before it fails: the box shows it either way.
    const auto showDir = qScopeGuard([&] { edMapsDir->setText(dir); });
    Analyze(ws_, dir, edBlankMapFile->text());
}

void TMainForm::btnLoadImageClick()
{
    LoadImage(ws_, edBlankMapFile->text());
    imgMap->setZoom(1.0);
    fitReturn_.reset();
}

void TMainForm::btnCalcClick() { CalcPoints(ws_); }

QColor TMainForm::lineColor() const
{
    const int index = clbLine->currentIndex();
    if (index < 0)
        return Qt::black;
    const LineColorEntry& entry = LineColors().at(static_cast<std::size_t>(index));
    return entry.rgb ? QColor::fromRgb(*entry.rgb) : customLineColor_;
}

void TMainForm::btnDrawClick()
{
    DrawBorders(ws_, BorderOptions{edLineWidth->text(), lineColor(), chbFill->isChecked()});
}

void TMainForm::btnCalcNamesClick() { CalcNameCenters(ws_, rdCenters->itemIndex()); }

NameStyle TMainForm::nameStyle() const
{
    return NameStyle{ToQFont(namesFont_), QColor::fromRgb(namesFont_.color), rdSrc->itemIndex(), tbOpacity->value()};
}

void TMainForm::btnNamesClick() { DrawNames(ws_, nameStyle()); }

void TMainForm::btnUndoClick() { Undo(ws_); }

void TMainForm::btnClearAllClick()
{
    ClearAll(ws_);
    if (customListForm_)
        customListForm_->setLines({});
}

void TMainForm::btnSaveClick() { SaveJpg(ws_); }

int TMainForm::coverageScale() const { return cbCoverageScale->currentData().toInt(); }

void TMainForm::btnCoverageClick() { Coverage(ws_, coverageScale()); }

void TMainForm::btnDrawMissingClick()
{
    const NameStyle names = nameStyle();
    DrawMissingSheets(ws_, coverageScale(),
                      {edLineWidth->text(), lineColor(), names.font, names.color, names.opacityPosition});
}

void TMainForm::btnFontClick()
{
    if (const auto font = dialogs_->chooseFont(this, ToQFont(namesFont_)))
        TakeFontFace(namesFont_, *font);
}

void TMainForm::btnFontColorClick()
{
    if (const auto color = dialogs_->chooseColor(this, QColor::fromRgb(namesFont_.color)))
        namesFont_.color = color->rgb();
}

void TMainForm::clbLineSelect(int index)
{
    if (index != kCustomLineColorIndex)
        return;
    if (const auto color = dialogs_->chooseColor(this, customLineColor_)) {
        customLineColor_ = *color;
        clbLine->setItemIcon(kCustomLineColorIndex, ColorSwatch(customLineColor_));
    }
}

void TMainForm::btnListClick()
{
    if (!customListForm_) {
        customListForm_ = new TCustomListForm(
            ws_.data, [this](const std::function<void()>& handler) { handle(handler); }, this);
    }
    if (ws_.data.CustomList)
        customListForm_->setLines(*ws_.data.CustomList);
    if (!dialogs_->runCustomList(*customListForm_))
        return;
    ws_.data.CustomList = customListForm_->lines();
}

void TMainForm::rdCentersClick() { CenterMethodChosen(ws_, rdCenters->itemIndex()); }

void TMainForm::OpacityChange()
{
    lbOpacity->setText(QStringLiteral("Opacity: %1").arg(8 * tbOpacity->value()));
    if (!preview_.shown())
        return;
    preview_.redraw(ws_.workingImage, OpacityAlpha(tbOpacity->value()));
    repaintPreviewBox(preview_.changedRect());
}

ViewGeometry TMainForm::viewGeometry() const
{
    const int barExtent = scrBox->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scrBox);
    return ViewGeometry{scrBox->width(),
                        scrBox->height(),
                        barExtent,
                        barExtent,
                        ws_.workingImage.width(),
                        ws_.workingImage.height(),
                        scrBox->horizontalScrollBar()->value(),
                        scrBox->verticalScrollBar()->value(),
                        imgMap->zoom()};
}

void TMainForm::OpacityMouseDown()
{
    // A press with another button while a name shows: take that name away
    // first, so that its background is neither lost nor burnt in.
    OpacityMouseUp();

    const ViewGeometry view = viewGeometry();
    const auto center = StartNamePreview(ws_, preview_, nameStyle(), GetViewCenter(view));
    if (!center)
        return;
    if (const auto positions = ScrollToPoint(view, center->X, center->Y)) {
        scrBox->horizontalScrollBar()->setValue(positions->horizontal);
        scrBox->verticalScrollBar()->setValue(positions->vertical);
    }
    repaintPreviewBox(preview_.changedRect());
}

void TMainForm::OpacityMouseUp()
{
    if (!preview_.shown())
        return;
    const QRect box = preview_.changedRect();
    preview_.hide(ws_.workingImage);
    repaintPreviewBox(box);
}

// Qt clips the update to the part the viewport shows: a slider step
// repaints the text box's place on screen only.
void TMainForm::repaintPreviewBox(QRect box) { imgMap->refresh(box); }

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == scrBox->viewport() && event->type() == QEvent::Wheel) {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            scrBoxWheel(*wheel);
            return true;
        }
    }
    if (watched == imgMap) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            imgMapMouseDown(mouse->buttons(), mouse->position().toPoint());
            break;
        }
        case QEvent::MouseMove:
            imgMapMouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
            break;
        case QEvent::MouseButtonRelease:
            imgMapMouseUp();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TMainForm::imgMapMouseDown(Qt::MouseButtons buttons, QPoint pos)
{
    if (!(buttons & Qt::LeftButton))
        return;
    FDragging = true;
    FDragStart = pos;
}

// The start point is kept: the event's point moves with the scrolling, so
// the point first grabbed stays under the pointer.
void TMainForm::imgMapMouseMove(QPoint pos)
{
    if (!FDragging)
        return;
    const int dx = pos.x() - FDragStart.x();
    const int dy = pos.y() - FDragStart.y();
    QScrollBar* vertical = scrBox->verticalScrollBar();
    vertical->setValue(vertical->value() - dy);
    QScrollBar* horizontal = scrBox->horizontalScrollBar();
    horizontal->setValue(horizontal->value() - dx);
}

void TMainForm::imgMapMouseUp() { FDragging = false; }

double TMainForm::fitZoom() const { return FitZoom(ws_.workingImage.size(), scrBox->maximumViewportSize()); }

QPointF TMainForm::imagePointAt(QPointF viewportPoint) const
{
    const QPointF scrolled(scrBox->horizontalScrollBar()->value(), scrBox->verticalScrollBar()->value());
    return (viewportPoint + scrolled) / imgMap->zoom();
}

QPointF TMainForm::shownMiddle() const
{
    const QRect shown = scrBox->viewport()->rect().intersected(QRect(QPoint(0, 0), imgMap->size()));
    return QRectF(shown).center();
}

void TMainForm::zoomAbout(double zoom, QPointF imagePoint, std::optional<QPointF> viewportPoint)
{
    imgMap->setZoom(zoom);
    // The scroll bars the new size needs come and go now rather than later,
    // so that the point lands in the view they leave.
    QEvent layout(QEvent::LayoutRequest);
    QCoreApplication::sendEvent(scrBox, &layout);
    const QPointF position = imagePoint * zoom - viewportPoint.value_or(shownMiddle());
    scrBox->horizontalScrollBar()->setValue(int(std::lround(position.x())));
    scrBox->verticalScrollBar()->setValue(int(std::lround(position.y())));
    mirrorZoom();
}

void TMainForm::ZoomInClick()
{
    if (ws_.workingImage.isNull())
        return;
    const QPointF center = fitReturn_.value_or(imagePointAt(shownMiddle()));
    fitReturn_.reset();
    zoomAbout(ZoomIn(imgMap->zoom(), fitZoom()), center, std::nullopt);
}

void TMainForm::ZoomOutClick()
{
    if (ws_.workingImage.isNull())
        return;
    fitReturn_.reset();
    zoomAbout(ZoomOut(imgMap->zoom(), fitZoom()), imagePointAt(shownMiddle()), std::nullopt);
}

void TMainForm::ZoomFitClick()
{
    if (ws_.workingImage.isNull())
        return;
    if (!fitReturn_)
        fitReturn_ = imagePointAt(shownMiddle());
    zoomAbout(fitZoom(), {0, 0}, QPointF(0, 0));
}

void TMainForm::ZoomActualClick()
{
    if (ws_.workingImage.isNull())
        return;
    const QPointF center = fitReturn_.value_or(imagePointAt(shownMiddle()));
    fitReturn_.reset();
    zoomAbout(1.0, center, std::nullopt);
}

// One level per notch, about the point under the pointer; a touchpad's
// small steps add up to notches.
void TMainForm::scrBoxWheel(const QWheelEvent& event)
{
    if (ws_.workingImage.isNull())
        return;
    constexpr int kNotch = 120;
    wheelZoomAngle_ += event.angleDelta().y();
    double zoom = imgMap->zoom();
    for (; wheelZoomAngle_ >= kNotch; wheelZoomAngle_ -= kNotch)
        zoom = ZoomIn(zoom, fitZoom());
    for (; wheelZoomAngle_ <= -kNotch; wheelZoomAngle_ += kNotch)
        zoom = ZoomOut(zoom, fitZoom());
    if (zoom == imgMap->zoom())
        return;
    fitReturn_.reset();
    const QPointF cursor = event.position();
    zoomAbout(zoom, imagePointAt(cursor), cursor);
}

void TMainForm::mirrorZoom()
{
    const bool shown = !ws_.workingImage.isNull();
    const double zoom = imgMap->zoom();
    lbZoom->setText(ZoomText(zoom));
    lbZoom->setAccessibleName(QStringLiteral("Zoom %1").arg(ZoomText(zoom)));
    btnZoomIn->setEnabled(shown && zoom < kMaxZoom);
    btnZoomOut->setEnabled(shown && zoom > fitZoom());
    btnZoomFit->setEnabled(shown);
    btnZoomActual->setEnabled(shown);
}
