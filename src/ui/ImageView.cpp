// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ImageView.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

TImageView::TImageView(const QImage* image, QWidget* parent) : QWidget(parent), image_(image)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    refresh();
}

void TImageView::refresh()
{
    if (image_->isNull()) {
        zoom_ = 1.0;
        pyramid_.build(QImage());
        pyramidKey_ = 0;
    } else if (image_->cacheKey() != pyramidKey_) {
        pyramid_.build(*image_);
        pyramidKey_ = image_->cacheKey();
    }
    const QSize size = image_->isNull() ? kEmptySize
                                        : QSize(std::max(1, int(std::lround(image_->width() * zoom_))),
                                                std::max(1, int(std::lround(image_->height() * zoom_))));
    if (size != this->size())
        resize(size);
    update();
}

void TImageView::refresh(QRect changed)
{
    if (image_->isNull() || changed.isEmpty())
        return;
    pyramid_.update(*image_, changed);
    pyramidKey_ = image_->cacheKey();
    update(viewRect(changed));
}

void TImageView::setZoom(double zoom)
{
    zoom_ = zoom;
    refresh();
}

QRect TImageView::viewRect(QRect imageRect) const
{
    if (zoom_ == 1.0)
        return imageRect;
    // Smoothing below actual size reaches a pixel further.
    const int margin = zoom_ < 1.0 ? 2 : 0;
    const QPoint topLeft(int(std::floor(imageRect.left() * zoom_)) - margin,
                         int(std::floor(imageRect.top() * zoom_)) - margin);
    const QPoint end(int(std::ceil((imageRect.right() + 1) * zoom_)) + margin,
                     int(std::ceil((imageRect.bottom() + 1) * zoom_)) + margin);
    return QRect(topLeft, end - QPoint(1, 1)).intersected(rect());
}

void TImageView::paintEvent(QPaintEvent* event)
{
    if (image_->isNull())
        return;
    const QRect exposed = event->rect().intersected(rect());
    if (exposed.isEmpty())
        return;
    QPainter painter(this);
    if (zoom_ == 1.0) {
        painter.drawImage(exposed, *image_, exposed);
        return;
    }
    if (zoom_ > 1.0) {
        // Whole image pixels, each drawn as a block without smoothing.
        const QRect source = QRect(QPoint(int(exposed.left() / zoom_), int(exposed.top() / zoom_)),
                                   QPoint(int(exposed.right() / zoom_), int(exposed.bottom() / zoom_)))
                                 .intersected(image_->rect());
        painter.drawImage(QRectF(source.left() * zoom_, source.top() * zoom_, source.width() * zoom_,
                                 source.height() * zoom_),
                          *image_, QRectF(source));
        return;
    }
    // The smallest level still at least as large as the view, stretched
    // onto the whole view so that its left-out odd rows and columns leave
    // no gap at the far edges.
    const int wanted = std::min(int(std::floor(std::log2(1.0 / zoom_))), pyramid_.levels());
    const QImage& level = wanted > 0 ? pyramid_.level(wanted) : *image_;
    const double sx = double(level.width()) / width();
    const double sy = double(level.height()) / height();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(exposed), level,
                      QRectF(exposed.left() * sx, exposed.top() * sy, exposed.width() * sx, exposed.height() * sy));
}
