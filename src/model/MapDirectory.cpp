#include "model/MapDirectory.h"

#include <QDir>

#include <algorithm>

QStringList ListMapFiles(const QString& dir)
{
    const QDir folder(dir.isEmpty() ? QStringLiteral("/") : dir);
    const QStringList all = folder.entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                             QDir::Unsorted);
    QStringList names;
    for (const QString& name : all) {
        if (name.endsWith(QLatin1StringView(".map"), Qt::CaseInsensitive))
            names.append(name);
    }
    // Upper-cased code-unit order puts '_' after the letters, as NTFS does.
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = QString::compare(a.toUpper(), b.toUpper(), Qt::CaseSensitive);
        return c != 0 ? c < 0 : QString::compare(a, b, Qt::CaseSensitive) < 0;
    });
    return names;
}
