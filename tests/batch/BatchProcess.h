#pragma once

// Runs the built tessarine-batch as a user would.

#include <QProcess>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

struct BatchOutput {
    int exitCode = -1;
    QString out;
    QString err;
};

inline BatchOutput RunBatchProcess(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(TESSARINE_BATCH), arguments);
    process.waitForFinished(120000);
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << "crashed";
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
