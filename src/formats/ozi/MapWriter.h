// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/gvars.h"

#include <QByteArray>
#include <QString>

// An OziExplorer 2.2 calibration file for a new index map: datum WGS 84,
// Mercator, four Point lines and MMPXY/MMPLL corners at the image's
// corners, the image as a bare file name. UTF-8, CR LF line ends.
// `frame` holds the four corners north-west, north-east, south-east,
// south-west, in degrees and in pixels of the image.
QByteArray IndexMapCalibration(const TSingleMap& frame, const QString& title, const QString& imageName);
