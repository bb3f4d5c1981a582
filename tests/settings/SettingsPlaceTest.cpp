// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/SettingsPath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

// An installed copy never writes into its own folder, even when it could
// (root in /usr/bin); a built copy does when it can.
TEST(SettingsPlace, InstalledCopiesKeepTheirSettingsInTheUsersFolder)
{
    const QStringList installed{"/usr/local/bin", "/usr/bin"};
    const struct {
        const char* folder;
        bool writable;
        SettingsPlace place;
    } rows[] = {
        {"/usr/bin", true, SettingsPlace::UserConfiguration},
        {"/usr/bin/", true, SettingsPlace::UserConfiguration},
        {"/usr/local/bin", false, SettingsPlace::UserConfiguration},
        {"/usr/local/../bin", true, SettingsPlace::UserConfiguration},
        {"/usr/bin/tools", true, SettingsPlace::BesideExecutable},
        {"/home/ann/tessarine/build/src/app", true, SettingsPlace::BesideExecutable},
        {"/home/ann/tessarine/build/src/app", false, SettingsPlace::UserConfiguration},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ChooseSettingsPlace(row.folder, installed, row.writable), row.place) << row.folder;
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
