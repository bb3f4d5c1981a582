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
// among them) takes the module the build made.
QStringList ModuleFolders()
{
    if (!QCoreApplication::instance())
        return {};
    const QString programs = QCoreApplication::applicationDirPath();
    QStringList folders{programs + QStringLiteral("/" TESSARINE_MODULE_RELATIVE_DIR)};
    if (programs.startsWith(QStringLiteral(TESSARINE_BUILD_DIR "/")))
        folders << QStringLiteral(TESSARINE_BUILD_DIR "/modules");
    return folders;
}

}  // namespace

std::variant<ReadRastersFunction, QString> RasterReader()
{
    static std::variant<ReadRastersFunction, QString> loaded = [] () -> std::variant<ReadRastersFunction, QString> {
        QString error;
        for (const QString& folder : ModuleFolders()) {
            if (!QFileInfo::exists(folder))
                continue;
            QLibrary library(folder + QStringLiteral("/tessarine-gdal"));
            if (auto f = reinterpret_cast<ReadRastersFunction>(library.resolve(kReadRastersSymbol)))
                return f;  // kept loaded for the rest of the run
            error = library.errorString();
        }
        return error.isEmpty() ? QStringLiteral("the GDAL reader module is not installed") : error;
    }();
    return loaded;
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
