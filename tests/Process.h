// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Runs another program as a user would: its exit status and what it printed.

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

struct ProcessRun {
    int exitCode = -1;
    QString out;
    QString err;
};

inline bool HasProgram(const QString& program) { return !QStandardPaths::findExecutable(program).isEmpty(); }

// In `workingDir` when one is given, with `environment` added to ours.
inline ProcessRun RunProgram(const QString& program, const QStringList& arguments, const QString& workingDir = {},
                             const QStringList& environment = {})
{
    QProcess process;
    process.setWorkingDirectory(workingDir);
    if (!environment.isEmpty())
        process.setEnvironment(QProcess::systemEnvironment() + environment);
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(120000)) << program.toStdString() << " is still running";
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << program.toStdString() << " crashed";
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
