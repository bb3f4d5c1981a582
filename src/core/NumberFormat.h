// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Numbers as the results log writes them.

// The general floating format: the shortest form with at most 15
// significant digits, scientific ("1.5E-6") only below 0.0001 or from
// 1E15 up, with the given decimal separator.
QString FormatGeneral(double value, const QString& decimalPoint);

// The decimal separator of the user's locale settings.
QString SystemDecimalPoint();
