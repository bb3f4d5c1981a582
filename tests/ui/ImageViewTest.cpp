#include "QtPrint.h"
#include "UiFixture.h"
#include "ui/ImageView.h"

#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QPixmap>

namespace {

using ImageView = UiFixture;

TEST_F(ImageView, ShowsImagesWiderThanAWindowSystemCoordinate)
{
    TMainForm& f = open();
    QImage& image = f.workspace().workingImage;
    image = QImage(40000, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(39990, 50, qRgb(0, 0, 255));
    image.setPixel(5, 5, qRgb(255, 0, 0));
    f.imgMap->refresh();
    EXPECT_EQ(f.imgMap->size(), QSize(40000, 100));

    const QImage far = f.imgMap->grab(QRect(39980, 40, 20, 20)).toImage();
    EXPECT_EQ(far.pixel(10, 10), qRgb(0, 0, 255));
    EXPECT_EQ(far.pixel(0, 0), qRgb(255, 255, 255));
    const QImage near = f.imgMap->grab(QRect(0, 0, 10, 10)).toImage();
    EXPECT_EQ(near.pixel(5, 5), qRgb(255, 0, 0));
}

}  // namespace
