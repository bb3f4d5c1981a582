// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Turns the bytes of a calibration file into text. Valid UTF-8 (with or
// without a byte-order mark) is read as UTF-8; anything else was written in
// a legacy Windows code page, and the words tell which: Cyrillic
// (windows-1251, the most common in map collections) or Western
// (windows-1252).
QString DecodeMapText(const QByteArray& bytes);

enum class LegacyCodePage { Windows1251, Windows1252 };
LegacyCodePage GuessLegacyCodePage(const QByteArray& bytes);

// `text` as bytes to go into the calibration file `fileBytes`: in the code
// page DecodeMapText reads that file in, or UTF-8 where that page has no
// such letters.
QByteArray EncodeLikeMapText(const QString& text, const QByteArray& fileBytes);
