// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/IniFile.h"

#include "core/Errors.h"
#include "core/SafeWrite.h"

#include <QFile>
#include <QStringList>

#include <limits>

namespace {

QStringList SplitLines(const QString& text)
{
    QStringList lines = text.split(u'\n');
    for (QString& line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// The section name of a "[name]" line, or nothing for any other line.
std::optional<QString> SectionName(const QString& line)
{
    const QString trimmed = line.trimmed();
    if (trimmed.size() < 2 || !trimmed.startsWith(u'[') || !trimmed.endsWith(u']'))
        return std::nullopt;
    return trimmed.mid(1, trimmed.size() - 2).trimmed();
}

bool SameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

bool KeyMatches(const QString& line, const QString& key)
{
    const qsizetype eq = line.indexOf(u'=');
    return eq > 0 && SameName(line.left(eq).trimmed(), key);
}

// Where a key's line is, and where its section ends, in a file's lines.
struct Place {
    qsizetype section = -1;  // the header line, -1 when the section is missing
    qsizetype key = -1;      // the key's line, -1 when the key is missing
    qsizetype end = -1;      // one past the section's last non-blank line
};

Place Find(const QStringList& lines, const QString& section, const QString& key)
{
    Place place;
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (const auto name = SectionName(lines[i])) {
            if (inSection)
                break;  // the first section of that name is the one read
            inSection = SameName(*name, section);
            if (inSection)
                place.section = place.end = i + 1;
            continue;
        }
        if (!inSection)
            continue;
        if (!lines[i].trimmed().isEmpty())
            place.end = i + 1;
        if (place.key < 0 && KeyMatches(lines[i], key))
            place.key = i;
    }
    if (place.section >= 0)
        --place.section;
    return place;
}

QStringList ReadLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return SplitLines(QString::fromUtf8(file.readAll()));
}

QString JoinLines(const QStringList& lines) { return lines.join(u'\n') + u'\n'; }

std::optional<QString> ReadValue(const QStringList& lines, const QString& section, const QString& key)
{
    const Place place = Find(lines, section, key);
    if (place.key < 0)
        return std::nullopt;
    const QString& line = lines[place.key];
    return line.mid(line.indexOf(u'=') + 1).trimmed();
}

int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

}  // namespace

std::optional<int> ParseIniInteger(const QString& text)
{
    qsizetype pos = 0;
    while (pos < text.size() && text[pos] == u' ')
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) {
        negative = text[pos] == u'-';
        ++pos;
    }
    int base = 10;
    if (pos < text.size() && (text[pos] == u'$' || text[pos] == u'x' || text[pos] == u'X')) {
        base = 16;
        ++pos;
    } else if (pos + 1 < text.size() && text[pos] == u'0' && (text[pos + 1] == u'x' || text[pos + 1] == u'X')) {
        base = 16;
        pos += 2;
    }
    if (pos == text.size())
        return std::nullopt;
    quint64 value = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = HexDigit(text[pos]);
        if (digit < 0 || digit >= base)
            return std::nullopt;
        value = value * static_cast<quint64>(base) + static_cast<quint64>(digit);
        if (value > 0xFFFFFFFFull)
            return std::nullopt;
    }
    if (base == 16) {
        // Hexadecimal spells the 32 bits themselves: $FFFFFFFF is -1.
        const auto bits = static_cast<qint64>(static_cast<qint32>(static_cast<quint32>(value)));
        return static_cast<int>(negative ? -bits : bits);
    }
    const qint64 signedValue = negative ? -static_cast<qint64>(value) : static_cast<qint64>(value);
    if (signedValue < std::numeric_limits<qint32>::min() || signedValue > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<int>(signedValue);
}

QByteArray DecodeIniBinary(const QString& text)
{
    QByteArray bytes;
    for (qsizetype i = 0; i + 1 < text.size(); i += 2) {
        const int high = HexDigit(text[i]);
        const int low = HexDigit(text[i + 1]);
        if (high < 0 || low < 0)
            break;
        bytes.append(static_cast<char>(high * 16 + low));
    }
    return bytes;
}

QString EncodeIniBinary(const QByteArray& bytes) { return QString::fromLatin1(bytes.toHex().toUpper()); }

IniFile::IniFile(QString path) : path_(std::move(path)), lines_(ReadLines(path_)) {}

bool IniFile::valueExists(const QString& section, const QString& key) const
{
    return ReadValue(lines_, section, key).has_value();
}

QString IniFile::readString(const QString& section, const QString& key, const QString& fallback) const
{
    return ReadValue(lines_, section, key).value_or(fallback);
}

int IniFile::readInteger(const QString& section, const QString& key, int fallback) const
{
    const auto text = ReadValue(lines_, section, key);
    if (!text)
        return fallback;
    return ParseIniInteger(*text).value_or(fallback);
}

bool IniFile::readBool(const QString& section, const QString& key, bool fallback) const
{
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

QByteArray IniFile::readBinary(const QString& section, const QString& key) const
{
    return DecodeIniBinary(readString(section, key, QString()));
}

void IniFile::setString(const QString& section, const QString& key, const QString& value)
{
    const QString entry = key + u'=' + value;
    const Place place = Find(lines_, section, key);
    if (place.key >= 0) {
        lines_[place.key] = entry;
    } else if (place.section >= 0) {
        lines_.insert(place.end, entry);
    } else {
        if (!lines_.isEmpty())
            lines_.append(QString());
        lines_.append(u'[' + section + u']');
        lines_.append(entry);
    }
    // As the file would read back: a value's own line breaks split it.
    lines_ = SplitLines(JoinLines(lines_));
}

void IniFile::save() const
{
    try {
        ReplaceFileSafely(path_, JoinLines(lines_).toUtf8());
    } catch (const TessError&) {
        throw Errors::unableToWrite(path_);
    }
}
