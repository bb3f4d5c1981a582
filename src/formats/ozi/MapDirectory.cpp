// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/ozi/MapDirectory.h"

#include "formats/ozi/TextDecoding.h"

#include <QFile>

#include <algorithm>
#include <cstring>
#include <dirent.h>

std::vector<MapFileEntry> ListMapFiles(const QString& dir)
{
    // readdir rather than QDir: Qt passes over names that are not UTF-8,
    // which would drop such sheets without a word.
    std::vector<MapFileEntry> entries;
    DIR* folder = ::opendir(dir.isEmpty() ? "/" : QFile::encodeName(dir).constData());
    if (folder == nullptr)
        return entries;
    while (const dirent* entry = ::readdir(folder)) {
        const QByteArray native(entry->d_name);
        if (native == "." || native == ".." || native.size() < 4 ||
            native.right(4).toLower() != QByteArrayLiteral(".map"))
            continue;
        entries.push_back(MapFileEntry{DecodeMapText(native), native});
    }
    ::closedir(folder);
    // Upper-cased code-unit order puts '_' after the letters, as NTFS does.
    std::sort(entries.begin(), entries.end(), [](const MapFileEntry& a, const MapFileEntry& b) {
        const int c = QString::compare(a.name.toUpper(), b.name.toUpper(), Qt::CaseSensitive);
        return c != 0 ? c < 0 : a.nativeName < b.nativeName;
    });
    return entries;
}
