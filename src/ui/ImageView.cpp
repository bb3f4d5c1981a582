#include "ui/ImageView.h"

#include <QPaintEvent>
#include <QPainter>

TImageView::TImageView(const QImage* image, QWidget* parent) : QWidget(parent), image_(image)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    refresh();
}

void TImageView::refresh()
{
    const QSize size = image_->isNull() ? kEmptySize : image_->size();
    if (size != this->size())
        resize(size);
    update();
}

void TImageView::paintEvent(QPaintEvent* event)
{
    if (image_->isNull())
        return;
    const QRect exposed = event->rect().intersected(image_->rect());
    if (exposed.isEmpty())
        return;
    QPainter painter(this);
    painter.drawImage(exposed, *image_, exposed);
}
