// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ControlHints.h"

#include <QHash>
#include <QRadioButton>
#include <QWidget>

#include <cstddef>

namespace {

struct Hint {
    const char* control;
    const char* text;
};

// "Font color" and "Including calculatings and image" are the window's
// hints from the start and keep their words.
constexpr Hint kMainForm[] = {
    {"edMapsDir", "The folder of the sheets' .map files, which Analyze reads."},
    {"btnSelectDir", "Choose the folder of the sheets' .map files."},
    {"edBlankMapFile", "The index map's .map file, beside its overview JPEG, which Analyze reads first."},
    {"btnSelectMapFile", "Choose the index map's .map file."},
    {"btnNewIndexMap", "Make a new index map holding every sheet of the maps directory; needs only that folder."},
    {"btnZoomOut", "Zoom out one level (Ctrl+-); needs a loaded image."},
    {"btnZoomIn", "Zoom in one level (Ctrl++); needs a loaded image."},
    {"btnZoomFit", "Fit the whole image into the view (Ctrl+0); needs a loaded image."},
    {"btnZoomActual", "Show the image's actual pixels (Ctrl+1); needs a loaded image."},
    {"imgMap", "The index image; drag it with the left mouse button to scroll."},
    {"meRes", "What each step found, one finding a line."},
    {"btnAnalyze", "Check the index map and every sheet of the maps directory; the first step."},
    {"btnLoadImage", "Load the index map's overview JPEG; after Analyze."},
    {"btnCalc", "Work out where each sheet's corners fall on the overview; after Load image."},
    {"udLineWidth", "The borders' width in pixels, for Draw borders."},
    {"edLineWidth", "The borders' width in pixels, for Draw borders."},
    {"clbLine", "The borders' colour, for Draw borders and Draw missing sheets."},
    {"chbFill", "Hatch the inside of each border, for Draw borders."},
    {"btnDraw", "Draw each sheet's border on the overview; after Calc points."},
    {"rdCenters:arithmetic mean", "Center each name on the mean of its sheet's corners, for Calc for preview."},
    {"rdCenters:barycenter", "Center each name on the middle of its sheet's area, for Calc for preview."},
    {"btnCalcNames",
     "Compute where each sheet's name will go, so that the opacity slider can preview one; after Calc points."},
    {"btnFont", "Choose the font of the names drawn and previewed."},
    {"btnFontColor", "Font color"},
    {"rdSrc:Map name", "Draw each sheet's name as its .map file gives it."},
    {"rdSrc:Map file name", "Draw each sheet's .map file name."},
    {"rdSrc:Image file name", "Draw the file name of each sheet's scan."},
    {"rdSrc:Custom list", "Draw the names prepared with the Custom list button."},
    {"btnList", "Prepare one name per sheet to draw instead; after Analyze, which finds the sheets."},
    {"tbOpacity", "The names' opacity; hold a mouse button on it to preview one name, after Calc for preview."},
    {"btnNames", "Draw each sheet's name on the overview; after Calc points."},
    {"btnUndo", "Take back what was drawn since the image was loaded or saved."},
    {"btnClearAll", "Including calculatings and image"},
    {"btnSave", "Save the drawn overview over the index map's JPEG; after drawing borders or names."},
    {"btnExit", "Close Tessarine; the settings are kept for the next run."},
    {"cbCoverageScale", "The scale of the standard sheets Coverage looks for; Auto takes the one most sheets have."},
    {"btnCoverage", "List the standard sheets the collection lacks or holds twice; after Analyze."},
    {"btnDrawMissing", "Draw the outlines and names of the missing standard sheets; after Calc points."},
    {"btnExport", "Export the index map and the analysed sheets as GeoJSON or KML; after Analyze."},
    {"btnSaveAs", "Save the drawn overview and a copy of the index map under another name; after drawing."},
    {"btnPublish", "Write a web map of the index that leads to each sheet, with its tiles, thumbnails and GeoJSON; after Calc points."},
    {"cbSheetCorners", "Where the next Analyze or New… takes each sheet's corners from: its MMPLL lines or its calibration."},
    {"chkRasterSheets", "Whether the next Analyze or New… also takes the folder's georeferenced images as sheets: "
                        "GeoTIFF, GeoPDF, BSB charts and images with a worldfile."},
    {"btnCheckCalibrations", "Tell for each sheet whether its MMPLL corners agree with its calibration; after Analyze."},
};

constexpr Hint kCustomList[] = {
    {"meList", "One name per line, for the sheets in the order Analyze found them; edit it freely."},
    {"btnNames", "Fill the list with the sheets' map names."},
    {"btnFiles", "Fill the list with the sheets' .map file names."},
    {"btnImg", "Fill the list with the file names of the sheets' scans."},
    {"btnRemoveExt", "Remove the last file extension from each sheet's line."},
    {"btnCutLeft", "Drop the first character of each sheet's line."},
    {"btnCutRight", "Drop the last character of each sheet's line."},
    {"btnRemIdent", "Keep only the characters in which the lines differ; after generating lines of one length."},
    {"btnOk", "Take the list for the name source Custom list."},
    {"btnCancel", "Close the dialog; the list stays as it was."},
};

constexpr Hint kPublish[] = {
    {"edPublishDir", "The folder the web page, its GeoJSON and its picture are written to."},
    {"btnPublishDir", "Choose the folder of the web index."},
    {"edPublishLinks", "Where the links to the sheets lead: a URL or a folder; empty for the maps folder."},
    {"edCatalogue", "A CSV file with a row per sheet, keyed by its fileName or label column; empty for none."},
    {"btnCatalogue", "Choose the catalogue's CSV file."},
};

template <std::size_t N>
void Apply(QWidget* window, const Hint (&hints)[N])
{
    QHash<QString, QString> byName;
    for (const Hint& hint : hints)
        byName.insert(QString::fromLatin1(hint.control), QString::fromUtf8(hint.text));
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        QString key = widget->objectName();
        if (qobject_cast<QRadioButton*>(widget) && widget->parentWidget())
            key = widget->parentWidget()->objectName() + u':' + static_cast<QRadioButton*>(widget)->text();
        const auto hint = byName.constFind(key);
        if (hint == byName.cend())
            continue;
        widget->setToolTip(*hint);
        widget->setAccessibleDescription(*hint);
    }
}

}  // namespace

void ApplyMainFormHints(QWidget* mainForm) { Apply(mainForm, kMainForm); }

void ApplyCustomListHints(QWidget* dialog) { Apply(dialog, kCustomList); }

void ApplyPublishHints(QWidget* dialog) { Apply(dialog, kPublish); }
