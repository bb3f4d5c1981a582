// SPDX-License-Identifier: GPL-3.0-or-later
#include "Version.h"
#include "ui/MainFormUnit.h"

#include <QApplication>
#include <QIcon>
#include <proj.h>

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

    int status = 0;
    {
        TMainForm form;
        form.show();
        status = QApplication::exec();
    }
    // After the window, whose workspace holds the PROJ objects.
    proj_cleanup();
    return status;
}
