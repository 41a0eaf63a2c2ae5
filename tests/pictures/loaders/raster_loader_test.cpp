#include "picture_assertions.h"

#include "pictures/loaders/raster_loader.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <QtEndian>
#include <gtest/gtest.h>

namespace voltarix::pictures {
namespace {

using testkit::colourNear;
using testkit::pictureErrorOf;

QImage twoColourImage(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.fillRect(0, 0, size.width() / 2, size.height(), Qt::darkGreen);
    return image;
}

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    EXPECT_TRUE(writer.write(image)) << writer.errorString().toStdString();
    return bytes;
}

const QString kBitmapInvalid = QStringLiteral("Bitmap image is not valid");
const QString kIconInvalid = QStringLiteral("Icon image is not valid");

TEST(BitmapLoader, OpensAtItsNaturalSize) {
    const QImage image = loadBitmap(encoded(twoColourImage({301, 77}), "bmp"));
    EXPECT_EQ(image.size(), QSize(301, 77));
    EXPECT_TRUE(colourNear(image, 10, 10, Qt::darkGreen, 0));
    EXPECT_TRUE(colourNear(image, 290, 70, Qt::white, 0));
}

TEST(BitmapLoader, DamagedBitmapsAreNotValid) {
    const QByteArray whole = encoded(twoColourImage({40, 40}), "bmp");
    EXPECT_EQ(pictureErrorOf([] { loadBitmap(QByteArray()); }), kBitmapInvalid);
    EXPECT_EQ(pictureErrorOf([&] { loadBitmap(whole.left(30)); }), kBitmapInvalid);
    EXPECT_EQ(pictureErrorOf([] { loadBitmap(QByteArray("BM and then nothing useful")); }),
              kBitmapInvalid);
}

// A header may claim any size; it is refused before any pixel memory is taken.
TEST(BitmapLoader, HugeClaimedSizeIsRefused) {
    QByteArray bytes = encoded(twoColourImage({8, 8}), "bmp");
    qToLittleEndian<qint32>(100000, bytes.data() + 18);
    qToLittleEndian<qint32>(100000, bytes.data() + 22);
    EXPECT_EQ(pictureErrorOf([&] { loadBitmap(bytes); }), kBitmapInvalid);
}

TEST(BitmapLoader, OtherFormatsUnderABitmapNameAreNotValid) {
    EXPECT_EQ(pictureErrorOf([] {
                  loadBitmap(encoded(twoColourImage({8, 8}), "png"));
              }),
              kBitmapInvalid);
}

TEST(IconLoader, OpensItsImageAtItsSize) {
    const QImage image = loadIcon(encoded(twoColourImage({32, 32}), "ico"));
    EXPECT_EQ(image.size(), QSize(32, 32));
    EXPECT_TRUE(colourNear(image, 4, 4, Qt::darkGreen, 0));
}

TEST(IconLoader, DamagedIconsAreNotValid) {
    const QByteArray whole = encoded(twoColourImage({32, 32}), "ico");
    EXPECT_EQ(pictureErrorOf([] { loadIcon(QByteArray()); }), kIconInvalid);
    EXPECT_EQ(pictureErrorOf([&] { loadIcon(whole.left(10)); }), kIconInvalid);
    EXPECT_EQ(pictureErrorOf([&] {
                  loadIcon(encoded(twoColourImage({8, 8}), "bmp"));
              }),
              kIconInvalid);
}

} // namespace
} // namespace voltarix::pictures
