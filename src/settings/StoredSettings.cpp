// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/StoredSettings.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QIODevice>
#include <QStandardPaths>


namespace {

const QString kMisc = QStringLiteral("misc");
const QString kGraphics = QStringLiteral("graphics");
const QString kCoverage = QStringLiteral("coverage");

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

StoredSettings ReadStoredSettings(const IniFile& ini)
{
    StoredSettings s;
    s.mapsDir = ini.readString(kMisc, QStringLiteral("MapsDir"), QString());
    s.mapFile = ini.readString(kMisc, QStringLiteral("MapFile"), QString());
    s.meResHeight = ini.readInteger(kMisc, QStringLiteral("meResHeight"), 80);
    if (ini.valueExists(kGraphics, QStringLiteral("Font")))
        s.font = DeserializeNamesFont(ini.readBinary(kGraphics, QStringLiteral("Font")));
    s.namesSrc = ini.readInteger(kGraphics, QStringLiteral("NamesSrc"), 0);
    s.lineWidth = ini.readInteger(kGraphics, QStringLiteral("LineWidth"), 5);
    s.lineColor = ini.readInteger(kGraphics, QStringLiteral("LineColor"), 9);
    s.fillPolygons = ini.readBool(kGraphics, QStringLiteral("FillPolygons"), false);
    s.centerNames = ini.readInteger(kGraphics, QStringLiteral("CenterNames"), 0);
    s.alpha = ini.readInteger(kGraphics, QStringLiteral("Alpha"), 30);
    s.coverageScale = ini.readInteger(kCoverage, QStringLiteral("Scale"), 0);
    s.sheetCorners = ini.readInteger(QStringLiteral("calibration"), QStringLiteral("Corners"), 0);
    return s;
}

void WriteStoredSettings(IniFile& ini, const StoredSettings& s, const NamesFont& font)
{
    ini.writeString(kMisc, QStringLiteral("MapsDir"), s.mapsDir);
    ini.writeString(kMisc, QStringLiteral("MapFile"), s.mapFile);
    ini.writeInteger(kMisc, QStringLiteral("meResHeight"), s.meResHeight);
    ini.writeBinary(kGraphics, QStringLiteral("Font"), SerializeNamesFont(font));
    ini.writeInteger(kGraphics, QStringLiteral("LineWidth"), static_cast<qint16>(s.lineWidth));
    ini.writeInteger(kGraphics, QStringLiteral("LineColor"), s.lineColor);
    ini.writeBool(kGraphics, QStringLiteral("FillPolygons"), s.fillPolygons);
    ini.writeInteger(kGraphics, QStringLiteral("CenterNames"), s.centerNames);
    ini.writeInteger(kGraphics, QStringLiteral("NamesSrc"), s.namesSrc);
    ini.writeInteger(kGraphics, QStringLiteral("Alpha"), s.alpha);
    if (s.coverageScale != 0 || ini.valueExists(kCoverage, QStringLiteral("Scale")))
        ini.writeInteger(kCoverage, QStringLiteral("Scale"), s.coverageScale);
    if (s.sheetCorners != 0 || ini.valueExists(QStringLiteral("calibration"), QStringLiteral("Corners")))
        ini.writeInteger(QStringLiteral("calibration"), QStringLiteral("Corners"), s.sheetCorners);
}

QString DefaultSettingsPath()
{
    const QFileInfo exe(QCoreApplication::applicationFilePath());
    const QString name = exe.completeBaseName() + QStringLiteral(".ini");
    const QFileInfo folder(exe.absolutePath());
    if (folder.isWritable())
        return exe.absoluteDir().filePath(name);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(config);
    return QDir(config).filePath(name);
}
