// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// One entry of the maps folder: its name as shown and logged, and its name
// as the file system holds it, used to open it. The two differ for names
// that are not UTF-8, such as sheets copied from Windows in windows-1251.
struct MapFileEntry {
    QString name;
    QByteArray nativeName;
};

// The entries of `dir` that match "*.map" in any letter case, files and
// folders alike, hidden ones included, in the order a Windows file system
// lists them (case-insensitive, upper-cased), so every run is reproducible.
// A name that is not UTF-8 is read as calibration text is, in the Windows
// code page its letters point to. An unreadable or missing folder has no
// entries.
std::vector<MapFileEntry> ListMapFiles(const QString& dir);
