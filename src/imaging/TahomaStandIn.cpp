// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/TahomaStandIn.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace {

// The package fonts-wine puts them here.
constexpr const char* kStandInFiles[] = {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"};

}  // namespace

void InstallTahomaStandIn()
{
    static const bool installed = [] {
        const QString tahoma = QStringLiteral("Tahoma");
        if (!QFontDatabase::families().contains(tahoma, Qt::CaseInsensitive)) {
            for (const char* file : kStandInFiles)
                QFontDatabase::addApplicationFont(QString::fromLatin1(file));
        }
        QFont::insertSubstitutions(tahoma, {QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans Narrow")});
        return true;
    }();
    (void)installed;
}
