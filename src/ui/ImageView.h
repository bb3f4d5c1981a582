#pragma once

#include <QImage>
#include <QWidget>

// Shows an image at its full size, sized to it, painting only the exposed
// part straight from the QImage: no screen copy of the whole picture, so
// the memory does not double and sides past 32767 pixels show.
// With no picture it is an empty 25 x 29 area.
class TImageView final : public QWidget {
    Q_OBJECT
public:
    explicit TImageView(const QImage* image, QWidget* parent = nullptr);

    // Takes the image's new size and repaints; call after the image changed.
    void refresh();

    static constexpr QSize kEmptySize{25, 29};

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QImage* image_;
};
