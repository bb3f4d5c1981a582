// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/StoredSettings.h"

#include <QFont>

// The names font as the stored record has it and as Qt paints with it.
QFont ToQFont(const NamesFont& font);

// Takes face, size and style from `font`; colour and character set stay.
void TakeFontFace(NamesFont& names, const QFont& font);
