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

    // "index" + "-index.jpg" would say the word twice: the next name that
    // does not is taken, and with none the ending alone.
    const QString endingWord = ending.section(u'.', 0, 0).section(u'-', 1);
    const auto doubles = [&](const QString& base) {
        return !endingWord.isEmpty() && base.section(u'-', -1).compare(endingWord, Qt::CaseInsensitive) == 0;
    };
    QString name = ending.mid(1);
    for (const QString& base : {haveIndex ? index.completeBaseName() : QString(), mapsName, QStringLiteral("index")}) {
        if (!base.isEmpty() && !doubles(base)) {
            name = base + ending;
            break;
        }
    }
    return folder.isEmpty() ? name : QDir(folder).filePath(name);
}
