// SPDX-License-Identifier: GPL-3.0-or-later
// Shows the main window on a set of maps, runs the command panel and saves
// a picture of the window, for the documentation:
//   window-shot [--index-map | --fit] MAPS_DIR INDEX_MAP OUTPUT.png
// Plain, it presses Analyze. With --index-map it goes on through Load
// image, Calc points, Draw borders (red, 3 pixels), Calc for preview and
// Draw map names, shows the middle of the overview, and leaves the index
// map's files as they are. --fit does the same and then fits the whole
// overview into the view.
#include "ui/MainFormUnit.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

bool Press(QPushButton* button)
{
    if (!button->isEnabled()) {
        std::fprintf(stderr, "window-shot: %s is disabled\n", qPrintable(button->text()));
        return false;
    }
    QTest::mouseClick(button, Qt::LeftButton);
    return true;
}

bool DrawIndexMap(TMainForm& form)
{
    if (!Press(form.btnLoadImage) || !Press(form.btnCalc))
        return false;
    form.udLineWidth->setValue(3);
    form.clbLine->setCurrentText(QStringLiteral("Red"));
    if (!Press(form.btnDraw) || !Press(form.btnCalcNames) || !Press(form.btnNames))
        return false;
    // The middle of the overview, where the sheets gather.
    for (QScrollBar* bar : {form.scrBox->horizontalScrollBar(), form.scrBox->verticalScrollBar()})
        bar->setValue(bar->maximum() / 2);
    return true;
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Tessarine"));
    QStringList args = QApplication::arguments();
    const bool fit = args.size() > 1 && args[1] == QStringLiteral("--fit");
    const bool indexMap = fit || (args.size() > 1 && args[1] == QStringLiteral("--index-map"));
    if (indexMap)
        args.removeAt(1);
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: window-shot [--index-map | --fit] MAPS_DIR INDEX_MAP OUTPUT.png\n");
        return 2;
    }
    QTemporaryDir settings;
    TMainForm form(settings.filePath(QStringLiteral("tessarine.ini")));
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    form.edMapsDir->setText(args[1]);
    form.edBlankMapFile->setText(args[2]);
    if (!Press(form.btnAnalyze))
        return 1;
    if (indexMap && !DrawIndexMap(form))
        return 1;
    if (fit)
        form.btnZoomFit->click();
    QTest::qWait(300);
    const bool saved = form.grab().save(args[3]);
    form.hide();
    return saved ? 0 : 1;
}
