// SPDX-License-Identifier: GPL-3.0-or-later
#include "Version.h"
#include "batch/BatchOptions.h"
#include "batch/BatchRun.h"
#include "core/Errors.h"
#include "imaging/TahomaStandIn.h"
#include "workflow/ResultsLog.h"
#include "workflow/calibration/ProjTransforms.h"

#include <QGuiApplication>

#include <cstdio>
#include <exception>
#include <memory>
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

    qInstallMessageHandler(DropQtMessages);
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

    // No window is ever shown; fonts and painting still need a GUI
    // application, whose set-up (the platform, the fonts) is most of a short
    // run's cost: a run that draws nothing does without it. Qt sees no
    // arguments, so none of ours is taken for its own.
    int qtArgc = 1;
    std::unique_ptr<QCoreApplication> app;
    if (DrawsPictures(*parsed.options)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(qtArgc, argv);
        InstallTahomaStandIn();  // the names font's default
    } else {
        app = std::make_unique<QCoreApplication>(qtArgc, argv);
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
    ReleaseProjLibrary();
    return status;
}
