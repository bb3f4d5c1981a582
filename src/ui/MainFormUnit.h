// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/IniFile.h"
#include "ui/Dialogs.h"
#include "ui/LogView.h"
#include "settings/SettingsPath.h"
#include "settings/StoredSettings.h"
#include "workflow/panel/NamePreview.h"
#include "workflow/Workspace.h"

#include <QColor>
#include <QPoint>
#include <QWidget>

#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QSplitter;
class TCTrackBar;
class TCustomListForm;
class TImageView;
class TRadioGroup;
class UiDialogs;

// The main window: the two paths at the top, the image and the results log
// in the work panel, the command panel on the right. Handlers read the
// controls, run the operation on the workspace and mirror the resulting
// state back into the controls.
class TMainForm final : public QWidget {
    Q_OBJECT
public:
    // `settingsPath` is the settings file; `dialogs` answers every modal
    // dialog (the Qt dialogs when null).
    explicit TMainForm(const QString& settingsPath = DefaultSettingsPath(), UiDialogs* dialogs = nullptr,
                       QWidget* parent = nullptr);
    ~TMainForm() override;

    Workspace& workspace() { return ws_; }
    const NamesFont& namesFont() const { return namesFont_; }
    TCustomListForm* customListForm() const { return customListForm_; }

    // Top strip.
    QLabel* Label1;
    QLineEdit* edMapsDir;
    QPushButton* btnSelectDir;
    QLabel* Label2;
    QLineEdit* edBlankMapFile;
    QPushButton* btnSelectMapFile;
    QLabel* imgEmpty;
    // The zoom control, right of the paths.
    QPushButton* btnZoomOut;
    QLabel* lbZoom;
    QPushButton* btnZoomIn;
    QPushButton* btnZoomFit;
    QPushButton* btnZoomActual;
    // Work panel.
    QFrame* pnlMain;
    QSplitter* Splitter1;
    QScrollArea* scrBox;
    TImageView* imgMap;
    QPlainTextEdit* meRes;
    // Command panel.
    QScrollArea* scrBoxCmd;
    QGroupBox* gpPre;
    QPushButton* btnAnalyze;
    QPushButton* btnLoadImage;
    QPushButton* btnCalc;
    QGroupBox* gpLines;
    QLabel* Label3;
    QSpinBox* udLineWidth;
    QLineEdit* edLineWidth;  // the spin box's own edit field
    QLabel* Label4;
    QComboBox* clbLine;
    QCheckBox* chbFill;
    QPushButton* btnDraw;
    QGroupBox* gpNames;
    TRadioGroup* rdCenters;
    QPushButton* btnCalcNames;
    QPushButton* btnFont;
    QPushButton* btnFontColor;
    TRadioGroup* rdSrc;
    QPushButton* btnList;
    QLabel* lbOpacity;
    TCTrackBar* tbOpacity = nullptr;
    QPushButton* btnNames;
    QGroupBox* gpEdit;
    QPushButton* btnUndo;
    QPushButton* btnClearAll;
    QGroupBox* gpFinish;
    QPushButton* btnSave;
    QPushButton* btnExit;
    QGroupBox* gpCoverage;
    QLabel* lbCoverageScale;
    QComboBox* cbCoverageScale;
    QPushButton* btnCoverage;
    QPushButton* btnDrawMissing;
    // A new index map and the export of the sheet index.
    QPushButton* btnNewIndexMap;
    QGroupBox* gpExport;
    QPushButton* btnExport;
    // Where sheet corners come from, and the calibration check.
    QGroupBox* gpCalibration;
    QLabel* lbSheetCorners;
    QComboBox* cbSheetCorners;
    QPushButton* btnCheckCalibrations;
    QCheckBox* chkRasterSheets;
    QPushButton* btnSaveAs;
    QPushButton* btnPublish;

    // The results log's height in pixels.
    int logHeight() const;

    // Whether a name preview is drawn into the working image, and its text
    // box there.
    bool previewShown() const { return preview_.shown(); }
    QRect previewRect() const { return preview_.changedRect(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The controls and their places (MainFormLayout.cpp); the New… button
    // and the Export group (MainFormIndexTools.cpp).
    void buildTopStrip();
    void buildZoomControl();
    void buildWorkPanel();
    void buildCommandPanel();
    void buildIndexTools();
    void buildCalibrationGroup();
    void connectHandlers();
    void placeAnchored();

    // Runs one event handler: an error it throws ends it and shows in the
    // error box; either way the log, the buttons and the image show the
    // state reached.
    void handle(const std::function<void()>& handler);
    // The same for the preview's handlers, which change the image only
    // inside the preview's text box and repaint just that.
    void handlePreview(const std::function<void()>& handler);
    void runHandler(const std::function<void()>& handler, bool repaintImage);
    void mirrorState();
    void mirrorCommands();
    void mirrorMapsDir();

    void FormCreate();
    void FormClose();
    void applySettings(const StoredSettings& settings);
    StoredSettings currentSettings() const;
    void setLogHeight(int height);

    void btnSelectDirClick();
    void btnSelectMapFileClick();
    void btnAnalyzeClick();
    void btnLoadImageClick();
    void btnCalcClick();
    void btnDrawClick();
    void btnCalcNamesClick();
    void btnNamesClick();
    void btnUndoClick();
    void btnClearAllClick();
    void btnSaveClick();
    void btnCoverageClick();
    void btnDrawMissingClick();
    void btnNewIndexMapClick();
    void btnExportClick();
    void btnCheckCalibrationsClick();
    void btnSaveAsClick();
    void btnPublishClick();
    void btnFontClick();
    void btnFontColorClick();
    void btnListClick();
    void clbLineSelect(int index);
    void rdCentersClick();
    void OpacityChange();
    void OpacityMouseDown();
    void OpacityMouseUp();
    // The image view's own mouse events, handed to its dragging.
    void imgMapMouseDown(Qt::MouseButtons buttons, QPoint pos);
    void imgMapMouseMove(QPoint pos);
    void imgMapMouseUp();
    void ZoomInClick();
    void ZoomOutClick();
    void ZoomFitClick();
    void ZoomActualClick();
    void mirrorZoom();

    QColor lineColor() const;
    NameStyle nameStyle() const;
    int coverageScale() const;

    std::unique_ptr<UiDialogs> ownDialogs_;
    UiDialogs* dialogs_;
    LogView log_;
    Workspace ws_;
    IniFile ini_;
    NamesFont namesFont_;
    QColor customLineColor_ = Qt::black;
    QString lastMapFile_;  // the open dialog's file name from its previous use
    // The Publish dialog's answer from its previous use; its catalogue is
    // kept from run to run in the settings file.
    PublishChoice lastPublish_;
    TCustomListForm* customListForm_ = nullptr;  // created on first use
    NamePreview preview_;
    bool closed_ = false;
};
