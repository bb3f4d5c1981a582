// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/SettingsPath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// A folder as the executable's path names it: links resolved when it exists.
QString Canonical(const QString& folder)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(folder) : canonical;
}

}  // namespace

SettingsPlace ChooseSettingsPlace(const QString& executableFolder, const QStringList& installFolders,
                                  bool executableFolderWritable)
{
    const QString folder = QDir::cleanPath(executableFolder);
    for (const QString& installed : installFolders) {
        if (QDir::cleanPath(installed) == folder)
            return SettingsPlace::UserConfiguration;
    }
    return executableFolderWritable ? SettingsPlace::BesideExecutable : SettingsPlace::UserConfiguration;
}

QString DefaultSettingsPath()
{
    const QFileInfo exe(QCoreApplication::applicationFilePath());
    const QString name = exe.completeBaseName() + QStringLiteral(".ini");
    // The configured install folder, and the one the Debian package puts
    // the programs in whatever the build's own prefix.
    const QStringList installFolders{Canonical(QStringLiteral(TESSARINE_INSTALL_BINDIR)),
                                     Canonical(QStringLiteral(TESSARINE_PACKAGE_BINDIR))};
    const QString folder = Canonical(exe.absolutePath());
    if (ChooseSettingsPlace(folder, installFolders, QFileInfo(folder).isWritable()) == SettingsPlace::BesideExecutable)
        return QDir(folder).filePath(name);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(config);
    return QDir(config).filePath(name);
}
