// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's Calibration group: where sheet corners come from, and
// Check calibrations.

#include "ui/MainFormUnit.h"
#include "ui/WindowWidgets.h"
#include "workflow/calibration/CheckCalibrations.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>

namespace {

// Below the Export group.
constexpr int kCalibrationTop = 1102;
constexpr int kCalibrationHeight = 97;

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

    connect(cbSheetCorners, &QComboBox::currentIndexChanged, this,
            [this](int index) { ws_.sheetCorners = SheetCornersFromSetting(index); });
}

void TMainForm::btnCheckCalibrationsClick() { CheckCalibrations(ws_); }
