// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's Calibration group: where sheet corners come from,
// whether georeferenced images are sheets too, and Check calibrations.

#include "ui/MainFormUnit.h"
#include "ui/WindowWidgets.h"
#include "workflow/calibration/CheckCalibrations.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>

namespace {

// Below the Export group.
constexpr int kCalibrationTop = 1102;
constexpr int kCalibrationHeight = 121;

}  // namespace

void TMainForm::buildCalibrationGroup()
{
    QWidget* content = scrBoxCmd->widget();
    content->setFixedHeight(kCalibrationTop + kCalibrationHeight);
    gpCalibration = Group(QStringLiteral("Calibration"), "gpCalibration", content, kCalibrationTop, kCalibrationHeight);
    lbSheetCorners = Named(new QLabel(QStringLiteral("Sheet corners"), gpCalibration), "lbSheetCorners", {9, 19, 116, 14});
    // The longest choice, "MMPLL, else calibration", is wider than the
    // panel's 116-pixel controls: the box takes the group's whole inside
    // and a point less of the window font.
    cbSheetCorners = Named(new QComboBox(gpCalibration), "cbSheetCorners", {4, 36, 128, 22});
    QFont smaller = WindowFont();
    smaller.setPointSizeF(smaller.pointSizeF() - 1);
    cbSheetCorners->setFont(smaller);
    cbSheetCorners->addItems({QStringLiteral("MMPLL lines"), QStringLiteral("MMPLL, else calibration"),
                              QStringLiteral("Calibration")});
    cbSheetCorners->setAccessibleName(QStringLiteral("Sheet corners"));
    lbSheetCorners->setBuddy(cbSheetCorners);
    btnCheckCalibrations = CommandButton(QStringLiteral("Check calibrations"), "btnCheckCalibrations", gpCalibration, 66);
    btnCheckCalibrations->setAccessibleName(QStringLiteral("Check calibrations"));
    chkRasterSheets =
        Named(new QCheckBox(QStringLiteral("Georeferenced images"), gpCalibration), "chkRasterSheets", {9, 97, 124, 17});
    chkRasterSheets->setFont(smaller);
    chkRasterSheets->setAccessibleName(QStringLiteral("Georeferenced images"));

    connect(cbSheetCorners, &QComboBox::currentIndexChanged, this,
            [this](int index) { ws_.sheetCorners = SheetCornersFromSetting(index); });
    connect(chkRasterSheets, &QCheckBox::toggled, this, [this](bool on) { ws_.rasterSheets = on; });
}

void TMainForm::btnCheckCalibrationsClick() { CheckCalibrations(ws_); }
