// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMouseEvent>
#include <QSlider>

// The opacity slider: a plain horizontal slider that also tells when a
// mouse button goes down or up on it.
class TCTrackBar final : public QSlider {
    Q_OBJECT
public:
    explicit TCTrackBar(QWidget* parent = nullptr) : QSlider(Qt::Horizontal, parent)
    {
        setPageStep(2);
        setTickPosition(QSlider::TicksBelow);
    }

signals:
    void mousePressed();
    void mouseReleased();

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        QSlider::mousePressEvent(event);
        emit mousePressed();
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        QSlider::mouseReleaseEvent(event);
        emit mouseReleased();
    }
};
