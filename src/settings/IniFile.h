// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// A settings file in INI form: "[section]" lines, then "key=value" lines.
// Sections and keys match without regard to letter case. Every read opens
// the file afresh and every write rewrites it at once, so the file always
// holds what was last written, and a write that fails loses nothing.
//
// Value encodings: strings unchanged; integers in decimal, read back also as
// hexadecimal after "$", "x" or "0x"; booleans as "0"/"1", read as integers
// (non-zero is true); binary as uppercase hexadecimal pairs, decoded up to
// the first character that is not a hexadecimal digit.
class IniFile {
public:
    explicit IniFile(QString path) : path_(std::move(path)) {}

    const QString& path() const { return path_; }

    bool valueExists(const QString& section, const QString& key) const;
    QString readString(const QString& section, const QString& key, const QString& fallback) const;
    int readInteger(const QString& section, const QString& key, int fallback) const;
    bool readBool(const QString& section, const QString& key, bool fallback) const;
    QByteArray readBinary(const QString& section, const QString& key) const;

    // Each throws TessError "Unable to write to <path>" when the file cannot
    // be written; the file then keeps its previous content.
    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);
    void writeBool(const QString& section, const QString& key, bool value);
    void writeBinary(const QString& section, const QString& key, const QByteArray& value);

private:
    QString path_;
};

// The integer an INI value stands for, or nothing: decimal with optional
// leading blanks and sign, or hexadecimal after "$", "x", "X", "0x" or "0X".
std::optional<int> ParseIniInteger(const QString& text);

// Hexadecimal pairs up to the first character that is not a hex digit.
QByteArray DecodeIniBinary(const QString& text);
QString EncodeIniBinary(const QByteArray& bytes);
