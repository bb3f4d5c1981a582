// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainFormUnit.h"

#include "core/Errors.h"
#include "settings/SettingsTable.h"
#include "ui/BusyCursor.h"
#include "ui/ControlHints.h"
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
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSpinBox>
#include <QSplitter>

#include <algorithm>
#include <exception>

namespace {

constexpr int kClientWidth = 960;
constexpr int kClientHeight = 763;
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
    buildCalibrationGroup();
    log_.attach(meRes);
    placeAnchored();
    connectHandlers();
    mirrorState();

    FormCreate();
    ApplyMainFormHints(this);
}

TMainForm::~TMainForm() { delete customListForm_; }

void TMainForm::connectHandlers()
{
    const auto on = [this](QPushButton* button, void (TMainForm::*handler)()) {
        connect(button, &QPushButton::clicked, this, [this, handler] { handle([this, handler] { (this->*handler)(); }); });
    };
    const auto command = [this](QPushButton* button, void (TMainForm::*handler)()) {
        connect(button, &QPushButton::clicked, this, [this, handler] {
            handle([this, handler] {
                const BusyCursor busy;
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
    on(btnDrawMissing, &TMainForm::btnDrawMissingClick);  // busy but for its question
    // Busy after their dialogs, or quick.
    on(btnNewIndexMap, &TMainForm::btnNewIndexMapClick);
    on(btnExport, &TMainForm::btnExportClick);
    on(btnSaveAs, &TMainForm::btnSaveAsClick);
    on(btnPublish, &TMainForm::btnPublishClick);
    on(btnCheckCalibrations, &TMainForm::btnCheckCalibrationsClick);
    connect(btnExit, &QPushButton::clicked, this, &QWidget::close);
    connect(edMapsDir, &QLineEdit::textChanged, this, &TMainForm::mirrorMapsDir);
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
    btnCheckCalibrations->setEnabled(ws_.commands.enabled(Command::ClearAll));
    btnSaveAs->setEnabled(ws_.commands.enabled(Command::Save));
    mirrorMapsDir();
}

// The maps folder the last Analyze did not find is marked at its box, for
// as long as the box names it: the log's lines are those of an empty one.
void TMainForm::mirrorMapsDir()
{
    const bool missing = !ws_.missingMapsDir.isEmpty() && edMapsDir->text() == ws_.missingMapsDir;
    edMapsDir->setStyleSheet(missing ? QStringLiteral("QLineEdit { border: 2px solid #d00000; }") : QString());
    const QString hint = edMapsDir->accessibleDescription();
    edMapsDir->setToolTip(missing ? hint + QStringLiteral("\nThis folder does not exist.") : hint);
}

void TMainForm::FormCreate()
{
    tbOpacity = new TCTrackBar(gpNames);
    tbOpacity->setObjectName(QStringLiteral("tbOpacity"));
    tbOpacity->setAccessibleName(QStringLiteral("Opacity"));
    tbOpacity->resize(tbOpacity->width(), btnNames->height());
    tbOpacity->move(btnNames->x(), tbOpacity->y());
    tbOpacity->setRange(kAlphaSetting.range.min, kAlphaSetting.range.max);
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
    clbLine->setCurrentIndex(TakenValue(kLineColorSetting, s.lineColor));
    chbFill->setChecked(s.fillPolygons);
    rdCenters->setItemIndex(s.centerNames);
    tbOpacity->setValue(s.alpha);
    cbCoverageScale->setCurrentIndex(std::max(0, cbCoverageScale->findData(s.coverageScale)));
    cbSheetCorners->setCurrentIndex(std::max(0, TakenValue(kSheetCornersSetting, s.sheetCorners)));
    chkRasterSheets->setChecked(s.rasterSheets);
    lastPublish_.catalogue = s.webCatalogue;
}

StoredSettings TMainForm::currentSettings() const
{
    StoredSettings s;
    s.mapsDir = edMapsDir->text();
    s.mapFile = edBlankMapFile->text();
    s.meResHeight = logHeight();
    s.font = namesFont_;
    s.namesSrc = rdSrc->itemIndex();
    s.lineWidth = udLineWidth->value();
    s.lineColor = clbLine->currentIndex();
    s.fillPolygons = chbFill->isChecked();
    s.centerNames = rdCenters->itemIndex();
    s.alpha = tbOpacity->value();
    s.coverageScale = coverageScale();
    s.sheetCorners = cbSheetCorners->currentIndex();
    s.rasterSheets = chkRasterSheets->isChecked();
    s.webCatalogue = lastPublish_.catalogue;
    return s;
}

int TMainForm::logHeight() const { return meRes->height(); }

void TMainForm::setLogHeight(int height)
{
    // The log's own minimum height (the setting's) holds a lower one off.
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
    WriteStoredSettings(ini_, currentSettings());
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
    Analyze(ws_, dir, edBlankMapFile->text(), dialogs_->showProgress(this));
}

void TMainForm::btnLoadImageClick()
{
    LoadImage(ws_, edBlankMapFile->text());
    imgMap->resetZoom();
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
    std::optional<BusyCursor> busy(std::in_place);
    // Tens of thousands of cells take a while and cover the overview with a
    // mesh; the batch tool draws them all.
    const auto proceed = [&](std::size_t missing) {
        if (missing <= kManyMissingSheets)
            return true;
        busy.reset();
        const bool yes = dialogs_->askYesNo(this, QStringLiteral("Draw all %1 missing sheets?").arg(missing));
        if (yes)
            busy.emplace();
        return yes;
    };
    DrawMissingSheets(ws_, coverageScale(),
                      {edLineWidth->text(), lineColor(), names.font, names.color, names.opacityPosition}, proceed);
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
    // Qt clips the update to the part the viewport shows: a slider step
    // repaints the text box's place on screen only.
    imgMap->refresh(preview_.changedRect());
}

void TMainForm::OpacityMouseDown()
{
    // A press with another button while a name shows: take that name away
    // first, so that its background is neither lost nor burnt in.
    OpacityMouseUp();

    const auto center = StartNamePreview(ws_, preview_, nameStyle(), GetViewCenter(imgMap->viewGeometry()));
    if (!center)
        return;
    imgMap->scrollToImagePoint(center->X, center->Y);
    imgMap->refresh(preview_.changedRect());
}

void TMainForm::OpacityMouseUp()
{
    if (!preview_.shown())
        return;
    const QRect box = preview_.changedRect();
    preview_.hide(ws_.workingImage);
    imgMap->refresh(box);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
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

void TMainForm::imgMapMouseDown(Qt::MouseButtons buttons, QPoint pos) { imgMap->startDrag(buttons, pos); }

void TMainForm::imgMapMouseMove(QPoint pos) { imgMap->dragTo(pos); }

void TMainForm::imgMapMouseUp() { imgMap->endDrag(); }

void TMainForm::ZoomInClick() { imgMap->zoomIn(); }

void TMainForm::ZoomOutClick() { imgMap->zoomOut(); }

void TMainForm::ZoomFitClick() { imgMap->zoomFit(); }

void TMainForm::ZoomActualClick() { imgMap->zoomActual(); }

void TMainForm::mirrorZoom()
{
    const bool shown = !ws_.workingImage.isNull();
    const double zoom = imgMap->zoom();
    lbZoom->setText(ZoomText(zoom));
    lbZoom->setAccessibleName(QStringLiteral("Zoom %1").arg(ZoomText(zoom)));
    btnZoomIn->setEnabled(shown && zoom < kMaxZoom);
    btnZoomOut->setEnabled(shown && zoom > imgMap->fitZoom());
    btnZoomFit->setEnabled(shown);
    btnZoomActual->setEnabled(shown);
}
