// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/IniFile.h"

#include <QString>
#include <QtGlobal>

#include <optional>

// The font names are drawn in: face, height, colour, style and character
// set, as the settings file keeps it.
struct NamesFont {
    QString family = QStringLiteral("Tahoma");
    int height = -13;  // negative: the character height in pixels
    quint32 color = 0xFFFF0000u;  // 0xAARRGGBB: opaque red
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charset = 1;  // kept for the file; Qt picks glyphs by script itself

    friend bool operator==(const NamesFont&, const NamesFont&) = default;
};

// The "Font" value: a magic number and version, then the fields through
// QDataStream. Anything else decodes to nothing.
QByteArray SerializeNamesFont(const NamesFont& font);
std::optional<NamesFont> DeserializeNamesFont(const QByteArray& bytes);

// Everything the window keeps from one run to the next, with the values a
// first start gets. tessarine-batch reads the same record.
struct StoredSettings {
    QString mapsDir;
    QString mapFile;
    int meResHeight = 80;
    std::optional<NamesFont> font;  // absent: the design font stays
    int namesSrc = 0;
    int lineWidth = 5;
    int lineColor = 9;
    bool fillPolygons = false;
    int centerNames = 0;
    int alpha = 30;
    int coverageScale = 0;  // the sheet scale's denominator, 0 for Auto
    int sheetCorners = 0;   // 0 MMPLL lines, 1 MMPLL else calibration, 2 calibration
};

// Reads every key, in the order the window applies them; missing keys and
// unreadable values give the defaults above.
StoredSettings ReadStoredSettings(const IniFile& ini);

// Writes every key in the file's order; the "coverage" section only once
// a scale other than Auto has been chosen or the file already holds it, so
// that a file that never had it keeps only its two sections. Throws
// TessError "Unable to write to <path>" at the first refused write; the
// keys after it are not written.
// `font` is written whether or not it was read.
void WriteStoredSettings(IniFile& ini, const StoredSettings& settings, const NamesFont& font);

// Beside the executable, same base name, ".ini"; when that folder cannot
// be written (an installed copy), the user's configuration folder instead.
QString DefaultSettingsPath();
