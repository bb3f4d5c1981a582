// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>

// Readers for the numbers of calibration files. They accept exactly the
// forms the files use, whatever the user's locale, and throw TessError with
// the runtime's wording for anything else.

// Optional sign and decimal digits, within 32 bits.
int32_t StrToInt(const QString& text);

// Optional sign, digits, optional '.' with digits, optional exponent
// ("E"/"e", optional sign, digits). '.' is the only decimal separator.
double StrToFloat(const QString& text);
