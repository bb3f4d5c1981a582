#include "ui/MainFormUnit.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    // Qt reads its own platform options here; the program itself reads none.
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessarine"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tessarine"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tessarine.png")));

    TMainForm form;
    form.show();
    return QApplication::exec();
}
