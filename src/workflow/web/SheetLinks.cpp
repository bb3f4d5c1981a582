// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/web/SheetLinks.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

QString Absolute(const QString& dir) { return QDir::cleanPath(QFileInfo(dir).absoluteFilePath()); }

}  // namespace

QString EncodePath(const QString& path)
{
    QStringList parts = path.split(u'/');
    for (QString& part : parts)
        part = QString::fromLatin1(QUrl::toPercentEncoding(part));
    return parts.join(u'/');
}

QString SheetLinkFolder(const QString& pageDir, const QString& mapsDir, const QString& base)
{
    if (!base.isEmpty())
        return base.endsWith(u'/') ? base : base + u'/';
    QString relative = QDir(Absolute(pageDir)).relativeFilePath(Absolute(mapsDir));
    while (relative.endsWith(u'/'))
        relative.chop(1);
    if (relative.isEmpty() || relative == u".")
        return QString();
    return EncodePath(relative) + u'/';
}

