// SPDX-License-Identifier: GPL-3.0-or-later
#include "Version.h"
#include "ui/MainFormUnit.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <string_view>

int main(int argc, char* argv[])
{
    // Answered before Qt starts, so it works without a display. Only a sole
    // --version counts: any other command line still opens the window.
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        std::puts(kVersionLine);
        return 0;
    }

    // Qt reads its own platform options here; the program itself reads none.
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessarine"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tessarine"));
    QApplication::setDesktopFileName(QString::fromLatin1(kAppId));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tessarine.png")));

    TMainForm form;
    form.show();
    return QApplication::exec();
}
