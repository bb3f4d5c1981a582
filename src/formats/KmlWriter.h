// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "formats/SheetIndex.h"

#include <QByteArray>
#include <QColor>
#include <QString>

// KML 2.2, UTF-8: a Document named `title` with one Placemark per feature,
// its properties as ExtendedData, outlines clamped to the ground and
// tessellated; usable outlines in `border`, the others grey.
QByteArray WriteKml(const SheetIndex& index, const QString& title, QColor border);
