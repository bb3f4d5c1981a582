// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "imaging/ImagePyramid.h"

#include <QImage>
#include <QWidget>

// Shows an image at a zoom factor (screen pixels per image pixel), sized to
// the zoomed picture, painting only the exposed part straight from the
// QImage: no screen copy of the whole picture, so the memory does not
// double and sides past 32767 pixels show. Above actual size each image
// pixel is a block, so a one-pixel line can be checked; below it the
// picture comes from the pyramid level nearest above the zoom, so a repaint
// costs the same on any image size. With no picture it is an empty 25 x 29
// area.
class TImageView final : public QWidget {
    Q_OBJECT
public:
    explicit TImageView(const QImage* image, QWidget* parent = nullptr);

    // Takes the image's new size and contents and repaints; call after the
    // image changed or was replaced. An empty image brings back actual size.
    void refresh();
    // The cheap form when only the pixels inside `changed` (image
    // coordinates) changed: brings that part of the pyramid up to date and
    // repaints what shows it.
    void refresh(QRect changed);

    double zoom() const { return zoom_; }
    void setZoom(double zoom);

    // The part of the view that shows the image pixels of `imageRect`.
    QRect viewRect(QRect imageRect) const;

    static constexpr QSize kEmptySize{25, 29};

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QImage* image_;
    double zoom_ = 1.0;
    ImagePyramid pyramid_;
    qint64 pyramidKey_ = 0;  // the image contents the pyramid was made from
};
