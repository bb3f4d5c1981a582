// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/gvars.h"

#include <QByteArray>
#include <QString>

#include <vector>

// What the web index page shows of one analysed sheet.
struct WebPageSheet {
    QString label;  // the name drawn for it, or its map name
    QString file;   // its .map file
    QString nomenclature;
    int scale = 0;  // with the nomenclature; 0 when none was recognised
    bool usable = false;
    QString problem;  // why it is not usable
    QString link;     // usable sheets only: the encoded link to its image
    std::vector<TPixel> pixels;  // usable sheets only: its outline on the picture
};

// A standard sheet the collection lacks, where Coverage ran.
struct WebPageMissing {
    QString name;
    std::vector<TPixel> corners;
};

struct WebPageContent {
    QString title;  // names the index map
    QString imageLink;  // the picture, relative to the page, encoded
    int width = 0;      // the picture's size in pixels
    int height = 0;
    std::vector<WebPageSheet> sheets;  // in the analysis order
    std::vector<WebPageMissing> missing;
};

// One self-contained HTML page, UTF-8: the picture in an inline SVG with a
// link over every usable sheet's outline, the missing sheets dashed, and
// a table of every sheet below, with a small filter script the page does
// not need. Every text is escaped: names from files never become markup.
QByteArray WriteWebPage(const WebPageContent& content);
