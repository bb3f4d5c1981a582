// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Where the window keeps its settings file.
enum class SettingsPlace {
    BesideExecutable,   // a copy in a build tree: the file next to it
    UserConfiguration,  // ~/.config/Tessarine
};

// An installed copy (its folder one of `installFolders`) keeps its settings
// in the user's configuration folder whoever runs it, even root, who could
// write into /usr/bin; any other copy beside itself when it can write there.
SettingsPlace ChooseSettingsPlace(const QString& executableFolder, const QStringList& installFolders,
                                  bool executableFolderWritable);

// The executable's base name with ".ini", in the place chosen above for
// this executable; the configuration folder is made when it is chosen.
QString DefaultSettingsPath();
