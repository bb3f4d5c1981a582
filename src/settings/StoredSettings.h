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

// Everything the window keeps from one run to the next. A new record holds
// what a first start gets: each row's default in SettingsTable.h.
// tessarine-batch reads the same record.
struct StoredSettings {
    StoredSettings();

    QString mapsDir;
    QString mapFile;
    int meResHeight;
    std::optional<NamesFont> font;  // absent: the design font stays
    int namesSrc;
    int lineWidth;
    int lineColor;
    bool fillPolygons;
    int centerNames;
    int alpha;
    int coverageScale;  // the sheet scale's denominator, 0 for Auto
    int sheetCorners;   // 0 MMPLL lines, 1 MMPLL else calibration, 2 calibration
    bool rasterSheets;  // georeferenced images are sheets too
    QString webCatalogue;  // the Publish dialog's catalogue file
};

// Every key as the file holds it; missing keys and unreadable values give
// the defaults. Values outside a control's range are kept as they are.
StoredSettings ReadStoredSettings(const IniFile& ini);

// Writes every row into the file's text in the file's order (keys and
// sections it does not know stay where they are; a conditional row only
// when chosen or already present) and replaces the file in one step. An
// absent font writes the design font. Throws TessError "Unable to write to
// <path>" when the file cannot be replaced; it then keeps all its old keys.
void WriteStoredSettings(IniFile& ini, const StoredSettings& settings);
