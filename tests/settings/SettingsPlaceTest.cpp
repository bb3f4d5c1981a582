// SPDX-License-Identifier: GPL-3.0-or-later
#include "MapFiles.h"
#include "settings/SettingsPath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

TEST(SettingsPlace, InstalledCopiesKeepTheirSettingsInTheUsersFolder)
{
    for (const QStringList& row : testfiles::Rows("settings/places.txt"))
        EXPECT_EQ(ChooseSettingsPlace(row[0], {"/usr/local/bin", "/usr/bin"}, row[1] == "yes"),
                  row[2] == "user" ? SettingsPlace::UserConfiguration : SettingsPlace::BesideExecutable) << row[0].toStdString();
}

TEST(SettingsPlace, ABuiltCopyKeepsItsFileBesideIt)
{
    int argc = 1;
    char name[] = "settings_tests";
    char* argv[] = {name, nullptr};
    const QCoreApplication app(argc, argv);
    const QFileInfo exe(QCoreApplication::applicationFilePath());
    EXPECT_EQ(DefaultSettingsPath(), exe.absoluteDir().filePath(exe.completeBaseName() + ".ini"));
}

}  // namespace
