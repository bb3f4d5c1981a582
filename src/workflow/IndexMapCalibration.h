#pragma once

#include "workflow/IndexMapFrame.h"

#include <QByteArray>
#include <QString>

// An OziExplorer 2.2 calibration file for a new index map: datum WGS 84,
// Mercator, four Point lines and MMPXY/MMPLL corners at the image's
// corners, the image as a bare file name. UTF-8, CR LF line ends.
QByteArray IndexMapCalibration(const IndexMapFrame& frame, const QString& title, const QString& imageName);
