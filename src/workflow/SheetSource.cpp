// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/SheetSource.h"

QString OutlineSourceKeyword(OutlineSource source)
{
    switch (source) {
    case OutlineSource::Mmpll: return QStringLiteral("mmpll");
    case OutlineSource::Calibration: return QStringLiteral("calibration");
    case OutlineSource::Neatline: return QStringLiteral("neatline");
    case OutlineSource::Nomenclature: return QStringLiteral("nomenclature");
    case OutlineSource::Footprint: break;
    }
    return QStringLiteral("footprint");
}
