// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workflow/panel/DrawNames.h"
#include "workflow/Workspace.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

#include <cstddef>
#include <optional>
#include <vector>

// One name drawn for a moment into the working image, with the pixels it
// covers kept aside so that hiding it puts the image back exactly. Every
// step touches only the text box, so a slider step costs the same on any
// image size. The image passed must be the same one from show to hide, and
// must not share its pixels with another QImage meanwhile (writing to a
// shared image copies all of it).
class NamePreview {
public:
    // Shows `text` with its text box's top-left corner at `topLeft`. A
    // preview already shown is hidden first, so it never stays in the image.
    void show(QImage& image, const QString& text, TPixel topLeft, quint8 alpha, const QFont& font, QColor color);

    // Draws the shown name again at `alpha` over the clean background.
    void redraw(QImage& image, quint8 alpha);

    // Puts back the pixels the shown name covers; nothing when none is shown.
    void hide(QImage& image);

    bool shown() const { return FPreviewBack.has_value(); }

    // The part of the text box inside the image: all that show, redraw and
    // hide change, for the caller to repaint.
    QRect changedRect() const { return FBackRect; }

private:
    void restoreBackground(QImage& image) const;

    std::optional<QImage> FPreviewBack;  // the covered pixels, clipped to the image
    QRect FBackRect;                     // where FPreviewBack belongs in the image
    QString FPreviewText;
    QFont FPreviewFont;
    QColor FPreviewColor;
    TPixel FPreviewTopLeft;  // the text box; it may reach past the image
};

// The sheet whose name a press on the opacity slider previews: the usable
// sheet nearest to `viewCentre` (strictly nearer than the image diagonal;
// of equally near ones the first), else sheet 0 whether usable or not.
// Without a view centre it is sheet 0 too; with no sheets at all, none.
// Distances are squared in 64 bits, exact for any image size.
std::optional<std::size_t> NearestSheet(const std::vector<TSingleMap>& maps, QSize imageSize,
                                        std::optional<TPixel> viewCenter);

// A press on the opacity slider, apart from the view: when the centres are
// ready and the name source can be used, shows the name of the sheet
// NearestSheet picks at its centre in `style` and returns that centre, for
// the caller to scroll to. Nothing is shown (none) when the centres are
// stale, the source cannot be used (its reason goes to the log, at every
// press) or there are no sheets.
std::optional<TPixel> StartNamePreview(Workspace& ws, NamePreview& preview, const NameStyle& style,
                                       std::optional<TPixel> viewCenter);

// The image view's geometry in plain numbers. Ranges are the image's width
// and height in image pixels, positions the scroll bars' values in screen
// pixels (the zoomed content's coordinate at the view's left and top edge),
// zoom the screen pixels per image pixel, and the scroll bar extents are the
// style's scroll bar width and height, taken off whether or not a bar shows.
struct ViewGeometry {
    int outerWidth = 0;
    int outerHeight = 0;
    int verticalBarWidth = 0;
    int horizontalBarHeight = 0;
    int horizontalRange = 0;
    int verticalRange = 0;
    int horizontalPosition = 0;
    int verticalPosition = 0;
    double zoom = 1.0;
};

struct ScrollPositions {
    int horizontal = 0;
    int vertical = 0;
};

// The image point at the middle of the visible part of the view; none when
// the image is smaller than half the view on either axis. Both routines
// work in image pixels: the view's halves are divided by the zoom, the
// positions they give back multiplied by it.
std::optional<TPixel> GetViewCenter(const ViewGeometry& view);

// The positions that bring image point (x, y) to the middle of the view, as
// near as the ends allow; none (leave the view alone) when the point lies
// outside the image. The caller's scroll bars clamp them to their range.
std::optional<ScrollPositions> ScrollToPoint(const ViewGeometry& view, int x, int y);
