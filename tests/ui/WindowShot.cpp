// Shows the main window on a set of maps, presses Analyze and saves a
// picture of the window: window-shot MAPS_DIR INDEX_MAP OUTPUT.png
#include "ui/MainFormUnit.h"

#include <QApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Tessarine"));
    const QStringList args = QApplication::arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: window-shot MAPS_DIR INDEX_MAP OUTPUT.png\n");
        return 2;
    }
    QTemporaryDir settings;
    TMainForm form(settings.filePath(QStringLiteral("tessarine.ini")));
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    form.edMapsDir->setText(args[1]);
    form.edBlankMapFile->setText(args[2]);
    QTest::mouseClick(form.btnAnalyze, Qt::LeftButton);
    QTest::qWait(300);
    const bool saved = form.grab().save(args[3]);
    form.hide();
    return saved ? 0 : 1;
}
