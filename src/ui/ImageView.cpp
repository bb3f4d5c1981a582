// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ImageView.h"

#include "ui/ZoomLevels.h"

#include <QCoreApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

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

void TImageView::placeIn(QScrollArea* area)
{
    area_ = area;
    area->setWidget(this);
    area->setWidgetResizable(false);
    area->viewport()->installEventFilter(this);
}

bool TImageView::eventFilter(QObject* watched, QEvent* event)
{
    if (area_ && watched == area_->viewport() && event->type() == QEvent::Wheel) {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            wheelZoom(wheel->angleDelta().y(), wheel->position());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

double TImageView::fitZoom() const
{
    return area_ ? FitZoom(image_->size(), area_->maximumViewportSize()) : 1.0;
}

QPointF TImageView::imagePointAt(QPointF viewportPoint) const
{
    const QPointF scrolled(area_->horizontalScrollBar()->value(), area_->verticalScrollBar()->value());
    return (viewportPoint + scrolled) / zoom_;
}

QPointF TImageView::shownMiddle() const
{
    const QRect shown = area_->viewport()->rect().intersected(QRect(QPoint(0, 0), size()));
    return QRectF(shown).center();
}

void TImageView::zoomAbout(double zoom, QPointF imagePoint, std::optional<QPointF> viewportPoint)
{
    setZoom(zoom);
    // The scroll bars the new size needs come and go now rather than later,
    // so that the point lands in the view they leave.
    QEvent layout(QEvent::LayoutRequest);
    QCoreApplication::sendEvent(area_, &layout);
    const QPointF position = imagePoint * zoom - viewportPoint.value_or(shownMiddle());
    area_->horizontalScrollBar()->setValue(int(std::lround(position.x())));
    area_->verticalScrollBar()->setValue(int(std::lround(position.y())));
    emit zoomChanged();
}

void TImageView::zoomIn()
{
    if (image_->isNull() || !area_)
        return;
    const QPointF center = fitReturn_.value_or(imagePointAt(shownMiddle()));
    fitReturn_.reset();
    zoomAbout(ZoomIn(zoom_, fitZoom()), center, std::nullopt);
}

void TImageView::zoomOut()
{
    if (image_->isNull() || !area_)
        return;
    fitReturn_.reset();
    zoomAbout(ZoomOut(zoom_, fitZoom()), imagePointAt(shownMiddle()), std::nullopt);
}

void TImageView::zoomFit()
{
    if (image_->isNull() || !area_)
        return;
    if (!fitReturn_)
        fitReturn_ = imagePointAt(shownMiddle());
    zoomAbout(fitZoom(), {0, 0}, QPointF(0, 0));
}

void TImageView::zoomActual()
{
    if (image_->isNull() || !area_)
        return;
    const QPointF center = fitReturn_.value_or(imagePointAt(shownMiddle()));
    fitReturn_.reset();
    zoomAbout(1.0, center, std::nullopt);
}

void TImageView::resetZoom()
{
    setZoom(1.0);
    fitReturn_.reset();
}

// One level per notch, about the point under the pointer; a touchpad's
// small steps add up to notches.
void TImageView::wheelZoom(int angleDelta, QPointF pointer)
{
    if (image_->isNull())
        return;
    constexpr int kNotch = 120;
    wheelZoomAngle_ += angleDelta;
    double zoom = zoom_;
    for (; wheelZoomAngle_ >= kNotch; wheelZoomAngle_ -= kNotch)
        zoom = ZoomIn(zoom, fitZoom());
    for (; wheelZoomAngle_ <= -kNotch; wheelZoomAngle_ += kNotch)
        zoom = ZoomOut(zoom, fitZoom());
    if (zoom == zoom_)
        return;
    fitReturn_.reset();
    zoomAbout(zoom, imagePointAt(pointer), pointer);
}

void TImageView::startDrag(Qt::MouseButtons buttons, QPoint pos)
{
    if (!(buttons & Qt::LeftButton))
        return;
    dragging_ = true;
    dragStart_ = pos;
}

// The start point is kept: the event's point moves with the scrolling, so
// the point first grabbed stays under the pointer.
void TImageView::dragTo(QPoint pos)
{
    if (!dragging_ || !area_)
        return;
    QScrollBar* vertical = area_->verticalScrollBar();
    vertical->setValue(vertical->value() - (pos.y() - dragStart_.y()));
    QScrollBar* horizontal = area_->horizontalScrollBar();
    horizontal->setValue(horizontal->value() - (pos.x() - dragStart_.x()));
}

ViewGeometry TImageView::viewGeometry() const
{
    const int barExtent = area_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, area_);
    return ViewGeometry{area_->width(),
                        area_->height(),
                        barExtent,
                        barExtent,
                        image_->width(),
                        image_->height(),
                        area_->horizontalScrollBar()->value(),
                        area_->verticalScrollBar()->value(),
                        zoom_};
}

void TImageView::scrollToImagePoint(int x, int y)
{
    if (const auto positions = ScrollToPoint(viewGeometry(), x, y)) {
        area_->horizontalScrollBar()->setValue(positions->horizontal);
        area_->verticalScrollBar()->setValue(positions->vertical);
    }
}
