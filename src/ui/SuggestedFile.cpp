// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SuggestedFile.h"

#include <QDir>
#include <QFileInfo>

QString SuggestedFile(const QString& indexMapFile, const QString& mapsDir, const QString& ending,
                      bool besideMapsFolder)
{
    const QFileInfo index(indexMapFile);
    const bool haveIndex = !index.completeBaseName().isEmpty();
    const bool haveMaps = !mapsDir.isEmpty() && QFileInfo(mapsDir).isDir();
    QDir maps(mapsDir);  // takes the trailing separator Analyze adds
    const QString mapsName = mapsDir.isEmpty() ? QString() : maps.dirName();

    QString folder;
    if (haveIndex && index.absoluteDir().exists())
        folder = index.absolutePath();
    else if (haveMaps && (!besideMapsFolder || maps.cdUp()))
        folder = maps.absolutePath();

    QString base = haveIndex ? index.completeBaseName() : mapsName;
    if (base.isEmpty())
        base = QStringLiteral("index");
    const QString name = base + ending;
    return folder.isEmpty() ? name : QDir(folder).filePath(name);
}
