// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/SheetIndex.h"

#include <cmath>

double RoundDegrees(double value) { return std::round(value * 1e7) / 1e7; }

QString FormatDegrees(double value)
{
    QString text = QString::number(RoundDegrees(value), 'f', 7);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text == u"-0" ? QStringLiteral("0") : text;
}

QString FeatureKindText(FeatureKind kind)
{
    switch (kind) {
    case FeatureKind::Index: return QStringLiteral("index");
    case FeatureKind::Sheet: break;
    case FeatureKind::Missing: return QStringLiteral("missing");
    }
    return QStringLiteral("sheet");
}
