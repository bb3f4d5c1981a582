// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/ozi/OziDatums.h"

#include <QFile>
#include <QHash>

namespace {

QHash<QString, int> LoadTable()
{
    QHash<QString, int> table;
    QFile file(QStringLiteral(":/ozi/datums.csv"));
    if (!file.open(QIODevice::ReadOnly))
        return table;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        const qsizetype cut = line.lastIndexOf(u';');
        if (line.startsWith(u'#') || cut < 0)
            continue;
        table.insert(line.left(cut).trimmed().toCaseFolded(), line.sliced(cut + 1).toInt());
    }
    return table;
}

}  // namespace

std::optional<int> DatumEpsgCode(const QString& name)
{
    static const QHash<QString, int> table = LoadTable();
    const auto it = table.constFind(name.trimmed().toCaseFolded());
    if (it == table.constEnd())
        return std::nullopt;
    return *it;
}
