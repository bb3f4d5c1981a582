// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// What the web index page's table shows of one analysed sheet.
struct WebPageSheet {
    QString label;  // the name drawn for it, or its map name
    QString file;   // its .map file
    QString nomenclature;
    int scale = 0;  // with the nomenclature; 0 when none was recognised
    bool usable = false;
    QString problem;  // why it is not usable
    QString link;     // usable sheets only: the encoded link to its image
    // Usable sheets only: its outline's extent on the overview, in pixels.
    int left = 0, top = 0, right = 0, bottom = 0;
};

// How the index map's degrees become overview pixels: spherical Mercator
// scaled linearly between its corners, as the sheets were placed.
struct WebPageFrame {
    double west = 0, east = 0, north = 0, south = 0;  // degrees of the corners
    double right = 0, bottom = 0;  // pixel position of the east and south corners
};

struct WebPageContent {
    QString title;  // names the index map
    int width = 0;  // the overview's size in pixels
    int height = 0;
    int maxZoom = 0;  // the tiles' level at the overview's own pixels
    WebPageFrame frame;
    QByteArray geoJson;  // the sheets as sheets.geojson has them
    std::vector<WebPageSheet> sheets;  // in the analysis order
    std::size_t missing = 0;  // standard sheets the collection lacks
};

// One HTML page, UTF-8: a Leaflet map of the overview's tiles ("tiles/Z/X/Y.jpg")
// with the GeoJSON's outlines over it, and a table of every sheet below that
// works without scripts. The GeoJSON goes into the page as data, since a
// page opened from disk may not read a file beside it. Every text is
// escaped, and the script builds its labels and popups from text nodes:
// names from files never become markup.
QByteArray WriteWebPage(const WebPageContent& content);

// The page's style sheet and script.
extern const char16_t kWebPageStyle[];
extern const char16_t kWebPageScript[];
