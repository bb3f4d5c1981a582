// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/StoredSettings.h"

#include "settings/SettingsTable.h"

#include <QDataStream>
#include <QIODevice>

namespace {

template <typename... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
// clang 14, which builds the fuzz targets, does not deduce aggregates yet.
template <typename... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

// A row's default as the file would hold it.
QString DefaultText(const SettingRow& row)
{
    const bool number = std::holds_alternative<int StoredSettings::*>(row.field) ||
                        std::holds_alternative<bool StoredSettings::*>(row.field);
    return number ? QString::number(row.fallback) : QString();
}

constexpr quint32 kFontMagic = 0x54464E54;  // "TNFT"
constexpr quint16 kFontVersion = 1;

enum StyleBits : quint8 { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };

}  // namespace

QByteArray SerializeNamesFont(const NamesFont& font)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    quint8 style = 0;
    style |= font.bold ? Bold : 0;
    style |= font.italic ? Italic : 0;
    style |= font.underline ? Underline : 0;
    style |= font.strikeOut ? StrikeOut : 0;
    out << kFontMagic << kFontVersion << font.family << qint32(font.height)
        << quint32(font.color & 0xFFFFFFu) << style << quint8(font.charset);
    return bytes;
}

std::optional<NamesFont> DeserializeNamesFont(const QByteArray& bytes)
{
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0;
    quint16 version = 0;
    in >> magic >> version;
    if (in.status() != QDataStream::Ok || magic != kFontMagic || version != kFontVersion)
        return std::nullopt;
    NamesFont font;
    qint32 height = 0;
    quint32 rgb = 0;
    quint8 style = 0;
    quint8 charset = 0;
    in >> font.family >> height >> rgb >> style >> charset;
    if (in.status() != QDataStream::Ok || !in.atEnd() || font.family.isEmpty() || height == 0)
        return std::nullopt;
    font.height = height;
    font.color = rgb | 0xFF000000u;
    font.bold = style & Bold;
    font.italic = style & Italic;
    font.underline = style & Underline;
    font.strikeOut = style & StrikeOut;
    font.charset = charset;
    return font;
}

StoredSettings::StoredSettings()
{
    for (const SettingRow& row : kSettingRows) {
        if (const auto* member = std::get_if<int StoredSettings::*>(&row.field))
            this->**member = row.fallback;
        else if (const auto* flag = std::get_if<bool StoredSettings::*>(&row.field))
            this->**flag = row.fallback != 0;
    }
}

StoredSettings ReadStoredSettings(const IniFile& ini)
{
    StoredSettings s;
    for (const SettingRow& row : kSettingRows) {
        const QString section = QString::fromLatin1(row.section);
        const QString key = QString::fromLatin1(row.key);
        std::visit(Overloaded{
                       [&](QString StoredSettings::*text) { s.*text = ini.readString(section, key, QString()); },
                       [&](int StoredSettings::*number) { s.*number = ini.readInteger(section, key, row.fallback); },
                       [&](bool StoredSettings::*flag) { s.*flag = ini.readBool(section, key, row.fallback != 0); },
                       [&](std::optional<NamesFont> StoredSettings::*font) {
                           s.*font = DeserializeNamesFont(ini.readBinary(section, key));
                       },
                   },
                   row.field);
    }
    return s;
}

void WriteStoredSettings(IniFile& ini, const StoredSettings& s)
{
    for (const SettingRow& row : kSettingRows) {
        const QString section = QString::fromLatin1(row.section);
        const QString key = QString::fromLatin1(row.key);
        const QString value = std::visit(
            Overloaded{
                [&](QString StoredSettings::*text) { return s.*text; },
                [&](int StoredSettings::*number) { return QString::number(s.*number); },
                [&](bool StoredSettings::*flag) { return QString::number(s.*flag ? 1 : 0); },
                [&](std::optional<NamesFont> StoredSettings::*font) {
                    return EncodeIniBinary(SerializeNamesFont((s.*font).value_or(NamesFont{})));
                },
            },
            row.field);
        if (row.written == Written::OnceChosen && value == DefaultText(row) && !ini.valueExists(section, key))
            continue;
        ini.setString(section, key, value);
    }
    ini.save();
}
