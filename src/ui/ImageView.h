// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "imaging/ImagePyramid.h"
#include "workflow/panel/NamePreview.h"

#include <QImage>
#include <QPointF>
#include <QWidget>

#include <optional>

class QScrollArea;

// Shows an image at a zoom factor (screen pixels per image pixel), sized to
// the zoomed picture, painting only the exposed part straight from the
// QImage: no screen copy of the whole picture, so the memory does not
// double and sides past 32767 pixels show. Above actual size each image
// pixel is a block, so a one-pixel line can be checked; below it the
// picture comes from the pyramid level nearest above the zoom, so a repaint
// costs the same on any image size. With no picture it is an empty 25 x 29
// area.
//
// Placed in a scroll area, it also owns the zoom steps (ZoomLevels.h), the
// Ctrl+wheel over the area and the dragging of the picture.
class TImageView final : public QWidget {
    Q_OBJECT
public:
    explicit TImageView(const QImage* image, QWidget* parent = nullptr);

    // Makes the view the scroll area's content and takes its Ctrl+wheel.
    void placeIn(QScrollArea* area);

    // Takes the image's new size and contents and repaints; call after the
    // image changed or was replaced. An empty image brings back actual size.
    void refresh();
    // The cheap form when only the pixels inside `changed` (image
    // coordinates) changed: brings that part of the pyramid up to date and
    // repaints what shows it.
    void refresh(QRect changed);

    double zoom() const { return zoom_; }
    void setZoom(double zoom);
    // The factor that shows the whole image in the scroll area.
    double fitZoom() const;

    // The zoom steps; each does nothing without an image. In and out go
    // about the middle of the view; actual pixels and in come back, after
    // the fit, to the place the view showed before it.
    void zoomIn();
    void zoomOut();
    void zoomFit();
    void zoomActual();
    // Actual pixels with no place to come back to: a newly loaded image.
    void resetZoom();

    // A left-button press starts a drag that scrolls by the distance the
    // pointer moves, until the release.
    void startDrag(Qt::MouseButtons buttons, QPoint pos);
    void dragTo(QPoint pos);
    void endDrag() { dragging_ = false; }

    // The scroll area as the name preview reckons with it, and scrolling it
    // so that image point (x, y) shows in the middle.
    ViewGeometry viewGeometry() const;
    void scrollToImagePoint(int x, int y);

    // The part of the view that shows the image pixels of `imageRect`.
    QRect viewRect(QRect imageRect) const;

    static constexpr QSize kEmptySize{25, 29};

signals:
    // After a zoom step changed the factor.
    void zoomChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void wheelZoom(int angleDelta, QPointF pointer);
    // Shows the image at `zoom` with image point `imagePoint` at
    // `viewportPoint` of the view (by default the middle of what the image
    // covers there), or as near as the ends allow.
    void zoomAbout(double zoom, QPointF imagePoint, std::optional<QPointF> viewportPoint);
    // The image point under a point of the view.
    QPointF imagePointAt(QPointF viewportPoint) const;
    // The middle of the part of the view the image can cover: all of it, or
    // the top left when the image is smaller.
    QPointF shownMiddle() const;

    const QImage* image_;
    QScrollArea* area_ = nullptr;
    double zoom_ = 1.0;
    ImagePyramid pyramid_;
    qint64 pyramidKey_ = 0;  // the image contents the pyramid was made from
    bool dragging_ = false;
    QPoint dragStart_;  // the view point under the pointer when the drag began
    // Where the view was centred when the whole image was fitted: zooming
    // in from the fit goes back there.
    std::optional<QPointF> fitReturn_;
    int wheelZoomAngle_ = 0;  // the Ctrl+wheel turn not yet taken as a zoom step
};
