#include "app/jpeg_picture.h"
#include "app/splash_window.h"

#include <QBuffer>
#include <QFile>
#include <gtest/gtest.h>

using voltarix::app::JpegPicture;

TEST(JpegPicture, TheSplashDecodesAtItsDesignSize) {
    const QImage splash = voltarix::app::TForm3::splashPicture();
    ASSERT_FALSE(splash.isNull());
    EXPECT_EQ(splash.size(), QSize(446, 295));
    EXPECT_EQ(splash.format(), QImage::Format_RGB32);
}

TEST(JpegPicture, ColoursComeThroughInTheirPlaces) {
    QImage source(16, 8, QImage::Format_RGB32);
    source.fill(QColor(255, 0, 0));
    for (int y = 0; y < 8; ++y) {
        for (int x = 8; x < 16; ++x)
            source.setPixelColor(x, y, QColor(0, 0, 255));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(source.save(&buffer, "JPG", 100));
    const JpegPicture decoded = JpegPicture::decode(bytes);
    ASSERT_FALSE(decoded.image.isNull()) << decoded.error.toStdString();
    EXPECT_GT(decoded.image.pixelColor(2, 4).red(), 200);
    EXPECT_LT(decoded.image.pixelColor(2, 4).blue(), 60);
    EXPECT_GT(decoded.image.pixelColor(13, 4).blue(), 200);
    EXPECT_LT(decoded.image.pixelColor(13, 4).red(), 60);
}

TEST(JpegPicture, BadDataIsRefusedWithTheLibrarysReason) {
    const JpegPicture notJpeg = JpegPicture::decode("BM not a jpeg at all");
    EXPECT_TRUE(notJpeg.image.isNull());
    EXPECT_FALSE(notJpeg.error.isEmpty());

    const JpegPicture empty = JpegPicture::decode({});
    EXPECT_TRUE(empty.image.isNull());

    QFile file(":/voltarix/pictures/splash.jpg");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray header = file.read(200); // the header cut short
    const JpegPicture cut = JpegPicture::decode(header);
    EXPECT_TRUE(cut.image.isNull());
    EXPECT_FALSE(cut.error.isEmpty());
}

TEST(JpegPicture, GreyPicturesComeOutAsGrey) {
    QImage source(8, 8, QImage::Format_Grayscale8);
    source.fill(128);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(source.save(&buffer, "JPG", 100));
    const JpegPicture decoded = JpegPicture::decode(bytes);
    ASSERT_FALSE(decoded.image.isNull()) << decoded.error.toStdString();
    const QColor pixel = decoded.image.pixelColor(4, 4);
    EXPECT_NEAR(pixel.red(), 128, 2);
    EXPECT_EQ(pixel.red(), pixel.green());
    EXPECT_EQ(pixel.green(), pixel.blue());
}
