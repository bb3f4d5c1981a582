// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// A settings file in INI form: "[section]" lines, then "key=value" lines.
// Sections and keys match without regard to letter case. The file is read
// once, when the object is made; changes go to that text, each as
// rewriting the file with that one key would change it (a new key at the
// end of its section, a new section at the end of the file, everything
// else where it was), and reach the disk together, in one safe replace.
//
// Value encodings: strings unchanged; integers in decimal, read back also as
// hexadecimal after "$", "x" or "0x"; booleans as "0"/"1", read as integers
// (non-zero is true); binary as uppercase hexadecimal pairs, decoded up to
// the first character that is not a hexadecimal digit.
class IniFile {
public:
    // A missing or unreadable file reads as empty.
    explicit IniFile(QString path);

    const QString& path() const { return path_; }

    bool valueExists(const QString& section, const QString& key) const;
    QString readString(const QString& section, const QString& key, const QString& fallback) const;
    int readInteger(const QString& section, const QString& key, int fallback) const;
    bool readBool(const QString& section, const QString& key, bool fallback) const;
    QByteArray readBinary(const QString& section, const QString& key) const;

    void setString(const QString& section, const QString& key, const QString& value);

    // Replaces the file with the text as changed. Throws TessError "Unable
    // to write to <path>" when it cannot; the file then keeps its old text.
    void save() const;

private:
    QString path_;
    QStringList lines_;
};

// The integer an INI value stands for, or nothing: decimal with optional
// leading blanks and sign, or hexadecimal after "$", "x", "X", "0x" or "0X".
std::optional<int> ParseIniInteger(const QString& text);

// Hexadecimal pairs up to the first character that is not a hex digit.
QByteArray DecodeIniBinary(const QString& text);
QString EncodeIniBinary(const QByteArray& bytes);
