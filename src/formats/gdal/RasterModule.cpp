// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/gdal/RasterModule.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QLibrary>

#include <algorithm>

namespace {

// Calibrations, and files that belong to an image beside them rather than
// being one.
bool IsSidecar(const QString& name)
{
    static const QStringList endings{
        QStringLiteral(".aux.xml"), QStringLiteral(".aux"),  QStringLiteral(".ovr"),  QStringLiteral(".msk"),
        QStringLiteral(".prj"),     QStringLiteral(".wld"),  QStringLiteral(".tfw"),  QStringLiteral(".tifw"),
        QStringLiteral(".tiffw"),   QStringLiteral(".jgw"),  QStringLiteral(".jpgw"), QStringLiteral(".jpegw"),
        QStringLiteral(".pgw"),     QStringLiteral(".pngw"), QStringLiteral(".gfw"),  QStringLiteral(".gifw"),
        QStringLiteral(".bpw"),     QStringLiteral(".bmpw"), QStringLiteral(".j2w"),  QStringLiteral(".map"),
    };
    return std::any_of(endings.begin(), endings.end(),
                       [&](const QString& e) { return name.endsWith(e, Qt::CaseInsensitive); });
}

// The stem that a file shares with its sidecars: up to its first dot.
QString Stem(const QString& name) { return name.section(u'.', 0, 0).toLower(); }

// Beside the installed programs; a program of the build tree (a test
// among them, some without an application object) takes the module the
// build made.
QStringList ModuleFolders()
{
    if (!QCoreApplication::instance())
        return {QStringLiteral(TESSARINE_BUILD_DIR "/modules")};
    const QString programs = QCoreApplication::applicationDirPath();
    QStringList folders{programs + QStringLiteral("/" TESSARINE_MODULE_RELATIVE_DIR)};
    if (programs.startsWith(QStringLiteral(TESSARINE_BUILD_DIR "/")))
        folders << QStringLiteral(TESSARINE_BUILD_DIR "/modules");
    return folders;
}

// The module, loaded once for the rest of the run, or why it could not be.
std::variant<QLibrary*, QString> Module()
{
    static QLibrary library;
    static const QString error = [] {
        QString why;
        for (const QString& folder : ModuleFolders()) {
            if (!QFileInfo::exists(folder))
                continue;
            library.setFileName(folder + QStringLiteral("/tessarine-gdal"));
            if (library.load())
                return QString();
            why = library.errorString();
        }
        return why.isEmpty() ? QStringLiteral("the GDAL reader module is not installed") : why;
    }();
    if (!error.isEmpty())
        return error;
    return &library;
}

template <typename Function>
std::variant<Function, QString> Resolve(const char* symbol)
{
    const auto module = Module();
    if (const QString* error = std::get_if<QString>(&module))
        return *error;
    QLibrary* library = std::get<QLibrary*>(module);
    if (auto f = reinterpret_cast<Function>(library->resolve(symbol)))
        return f;
    return library->errorString();
}

}  // namespace

std::variant<ReadRasterFunction, QString> RasterReader() { return Resolve<ReadRasterFunction>(kReadRasterSymbol); }

std::variant<ReadThumbnailFunction, QString> ThumbnailReader()
{
    return Resolve<ReadThumbnailFunction>(kReadThumbnailSymbol);
}

std::vector<RasterCandidate> RasterCandidates(const QStringList& names, const QStringList& claimed)
{
    QHash<QString, QStringList> byStem;
    for (const QString& name : names)
        byStem[Stem(name)].append(name);
    std::vector<RasterCandidate> candidates;
    for (const QString& name : names) {
        if (IsSidecar(name) || claimed.contains(name, Qt::CaseInsensitive))
            continue;
        candidates.push_back({name, byStem.value(Stem(name))});
    }
    return candidates;
}
