// SPDX-License-Identifier: GPL-3.0-or-later
#include "Version.h"
#include "batch/BatchOptions.h"
#include "batch/BatchRun.h"
#include "core/Errors.h"
#include "imaging/TahomaStandIn.h"
#include "workflow/ResultsLog.h"

#include <QGuiApplication>
#include <proj.h>

#include <cstdio>
#include <exception>
#include <new>

namespace {

// The results log, line for line on standard output.
class StdoutLog final : public ResultsLog {
public:
    void append(const QString& text) override
    {
        const QByteArray bytes = text.toUtf8();
        std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
        std::fputc('\n', stdout);
    }
    void processPendingEvents() override { std::fflush(stdout); }
};

// Standard error carries only an error's own text; Qt's own remarks (an
// unset runtime folder, a missing font) would garble it.
void DropQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", message.toUtf8().constData());
}

}  // namespace

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));

    // No window is ever shown; fonts and painting still need a GUI
    // application. Qt sees no arguments, so none of ours is taken for its own.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(DropQtMessages);
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    InstallTahomaStandIn();  // the names font's default

    const ParsedCommandLine parsed = ParseBatchCommandLine(arguments);
    if (parsed.helpRequested) {
        std::fputs(BatchUsage().toUtf8().constData(), stdout);
        return kExitOk;
    }
    if (parsed.versionRequested) {
        std::puts(kVersionLine);
        return kExitOk;
    }
    if (!parsed.options) {
        std::fprintf(stderr, "tessarine-batch: %s\n\n%s", parsed.error.toUtf8().constData(),
                     BatchUsage().toUtf8().constData());
        return kExitUsage;
    }

    StdoutLog log;
    int status = kExitError;
    try {
        status = RunBatch(*parsed.options, log);
    } catch (const TessError& error) {
        PrintError(error.text());
    } catch (const std::bad_alloc&) {
        PrintError(QStringLiteral("Out of memory"));
    } catch (const std::exception& error) {
        PrintError(QString::fromUtf8(error.what()));
    }
    // The run's workspace, which held the PROJ objects, is gone by now.
    proj_cleanup();
    return status;
}
