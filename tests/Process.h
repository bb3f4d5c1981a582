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

inline ProcessRun RunProgram(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(120000);
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << program.toStdString() << " crashed";
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
