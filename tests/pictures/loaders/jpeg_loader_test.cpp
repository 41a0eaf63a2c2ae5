#include "jpeg_fixture.h"
#include "picture_assertions.h"

#include "pictures/loaders/jpeg_loader.h"

#include <gtest/gtest.h>

#include <jerror.h>

namespace voltarix::pictures {
namespace {

using testkit::colourNear;
using testkit::encodeJpeg;
using testkit::JpegColours;
using testkit::JpegFixture;
using testkit::pictureErrorOf;

QString jpegError(int code) {
    return QStringLiteral("JPEG error #%1").arg(code);
}

TEST(JpegLoader, ColourPictureDecodesToRgbAtItsSize) {
    const QImage image = loadJpeg(encodeJpeg({JpegColours::Colour, {64, 32}, Qt::red, Qt::blue}));
    EXPECT_EQ(image.size(), QSize(64, 32));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_TRUE(colourNear(image, 8, 16, Qt::red));
    EXPECT_TRUE(colourNear(image, 56, 16, Qt::blue));
}

TEST(JpegLoader, GrayPictureStaysGray) {
    const QImage image =
        loadJpeg(encodeJpeg({JpegColours::Gray, {40, 24}, QColor(30, 30, 30), Qt::white}));
    EXPECT_EQ(image.size(), QSize(40, 24));
    EXPECT_EQ(image.format(), QImage::Format_Grayscale8);
    EXPECT_TRUE(colourNear(image, 4, 4, QColor(30, 30, 30)));
    EXPECT_TRUE(colourNear(image, 36, 20, Qt::white));
}

TEST(JpegLoader, CmykPictureIsConvertedToItsColours) {
    const QImage image =
        loadJpeg(encodeJpeg({JpegColours::Cmyk, {48, 16}, Qt::cyan, QColor(255, 255, 0)}));
    EXPECT_EQ(image.size(), QSize(48, 16));
    EXPECT_TRUE(colourNear(image, 4, 8, Qt::cyan));
    EXPECT_TRUE(colourNear(image, 44, 8, QColor(255, 255, 0)));
}

TEST(JpegLoader, CmykBlackInkGivesBlack) {
    const QImage image =
        loadJpeg(encodeJpeg({JpegColours::Cmyk, {16, 16}, Qt::black, QColor(128, 0, 0)}));
    EXPECT_TRUE(colourNear(image, 2, 2, Qt::black));
    EXPECT_TRUE(colourNear(image, 14, 14, QColor(128, 0, 0)));
}

TEST(JpegLoader, ProgressivePictureDecodes) {
    JpegFixture fixture{JpegColours::Colour, {33, 17}, Qt::green, Qt::white};
    fixture.progressive = true;
    const QImage image = loadJpeg(encodeJpeg(fixture));
    EXPECT_EQ(image.size(), QSize(33, 17));
    EXPECT_TRUE(colourNear(image, 2, 8, Qt::green));
}

TEST(JpegLoader, DamagedFilesReportLibjpegsMessageCode) {
    EXPECT_EQ(pictureErrorOf([] { loadJpeg(QByteArray("not a picture at all")); }),
              jpegError(JERR_NO_SOI));
    EXPECT_EQ(pictureErrorOf([] { loadJpeg(QByteArray()); }), jpegError(JERR_INPUT_EMPTY));
    const QByteArray whole = encodeJpeg({});
    // Start of image and nothing after it.
    EXPECT_TRUE(pictureErrorOf([&] { loadJpeg(whole.left(2)); }).startsWith(u"JPEG error #"));
}

TEST(JpegLoader, CutOffDataStillShowsWhatArrived) {
    const QByteArray whole = encodeJpeg({JpegColours::Colour, {64, 64}, Qt::red, Qt::red});
    const qsizetype scanStart = whole.indexOf("\xFF\xDA");
    ASSERT_GT(scanStart, 0);
    const QImage image = loadJpeg(whole.left((scanStart + whole.size()) / 2));
    EXPECT_EQ(image.size(), QSize(64, 64));
    EXPECT_TRUE(colourNear(image, 4, 4, Qt::red));
}

TEST(JpegLoader, PictureLargerThanTheLimitIsRefusedBeforeDecoding) {
    PictureLimits limits;
    limits.maxSide = 63;
    EXPECT_EQ(pictureErrorOf([&] { loadJpeg(encodeJpeg({}), limits); }),
              jpegError(JERR_IMAGE_TOO_BIG));
    limits = {};
    limits.maxPixels = 64 * 32 - 1;
    EXPECT_EQ(pictureErrorOf([&] { loadJpeg(encodeJpeg({}), limits); }),
              jpegError(JERR_IMAGE_TOO_BIG));
}

// Garbage after a valid header makes libjpeg warn for every marker it
// skips; the warnings are capped and end in an error instead of a flood.
TEST(JpegLoader, EndlessWarningsEndInAnError) {
    QByteArray bytes = encodeJpeg({JpegColours::Colour, {256, 256}, Qt::red, Qt::blue});
    const qsizetype scanStart = bytes.indexOf("\xFF\xDA");
    ASSERT_GT(scanStart, 0);
    QByteArray damaged = bytes.left(scanStart + 14);
    for (int i = 0; i < 5000; ++i)
        damaged.append("\xFF\xD5\x00\x00", 4);
    const QString error = pictureErrorOf([&] { loadJpeg(damaged); });
    EXPECT_TRUE(error.startsWith(u"JPEG error #")) << error.toStdString();
}

} // namespace
} // namespace voltarix::pictures
