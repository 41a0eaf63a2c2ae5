#include "picture_assertions.h"
#include "wmf_builder.h"

#include "pictures/loaders/emf_loader.h"
#include "pictures/loaders/metafile_kind.h"
#include "pictures/loaders/picture_loader.h"
#include "pictures/loaders/wmf_loader.h"

#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>

namespace voltarix::pictures {
namespace {

using testkit::colourNear;
using testkit::pictureErrorOf;
using testkit::WmfBuilder;

const QString kInvalid = QStringLiteral("Metafile is not valid");

// Yellow box at (10, 10)-(109, 59), blue triangle top right, red roof line.
WmfBuilder drawing(QSize size = {300, 200}) {
    WmfBuilder wmf(size);
    wmf.selectPen(Qt::black);
    wmf.selectSolidBrush(Qt::yellow);
    wmf.rectangle(QRect(10, 10, 100, 50));
    wmf.selectSolidBrush(Qt::blue);
    wmf.polygon({{200, 10}, {290, 10}, {290, 90}});
    wmf.selectPen(Qt::red, 3);
    wmf.polyline({{0, 199}, {150, 100}, {299, 199}});
    wmf.text({20, 120}, "Page 3");
    return wmf;
}

QByteArray emfFixture() {
    QFile file(QStringLiteral(VOLTARIX_EMF_FIXTURE_DIR "/drawing.emf"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    return file.readAll();
}

TEST(MetafileKind, ToldFromTheContent) {
    EXPECT_EQ(metafileKindOf(drawing().placeableFile()), MetafileKind::Windows);
    EXPECT_EQ(metafileKindOf(drawing().plainFile()), MetafileKind::Windows);
    EXPECT_EQ(metafileKindOf(emfFixture()), MetafileKind::Enhanced);
    EXPECT_EQ(metafileKindOf(QByteArray("GIF89a")), MetafileKind::Unknown);
    EXPECT_EQ(metafileKindOf(QByteArray()), MetafileKind::Unknown);
}

TEST(WmfLoader, PlaceableMetafileOpensAtItsFrameOnePixelPerUnit) {
    const QImage image = loadWmf(drawing().placeableFile());
    ASSERT_EQ(image.size(), QSize(300, 200));
    EXPECT_TRUE(colourNear(image, 5, 5, Qt::white, 0));
    EXPECT_TRUE(colourNear(image, 12, 12, Qt::yellow, 0));
    EXPECT_TRUE(colourNear(image, 107, 57, Qt::yellow, 0));
    EXPECT_TRUE(colourNear(image, 112, 62, Qt::white, 0));
    EXPECT_TRUE(colourNear(image, 285, 15, Qt::blue, 0));
    EXPECT_TRUE(colourNear(image, 150, 101, Qt::red, 0));
}

TEST(WmfLoader, TextIsDrawn) {
    const QImage image = loadWmf(drawing().placeableFile());
    int dark = 0;
    for (int y = 100; y < 140; ++y)
        for (int x = 18; x < 80; ++x)
            dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    EXPECT_GT(dark, 20);
}

TEST(WmfLoader, FrameUnitsPerInchScaleToScreenPixels) {
    QByteArray bytes = drawing().placeableFile();
    qToLittleEndian<quint16>(192, bytes.data() + 14); // twice as many units per inch
    const QImage image = loadWmf(bytes);
    ASSERT_EQ(image.size(), QSize(150, 100));
    EXPECT_TRUE(colourNear(image, 30, 17, Qt::yellow, 0));
}

// A screen of 192 device pixels per inch (96 scaled by 2) gives a frame
// twice the pixels; a file without a frame counts its units as pixels of an
// unscaled screen, so it too grows with the screen.
TEST(WmfLoader, TheScreensResolutionMakesThePixels) {
    QByteArray bytes = drawing().placeableFile();
    qToLittleEndian<quint16>(144, bytes.data() + 14);
    const QImage image = loadWmf(bytes, {}, 144);
    ASSERT_EQ(image.size(), QSize(300, 200));
    EXPECT_TRUE(colourNear(image, 107, 57, Qt::yellow, 0));
    ASSERT_EQ(loadWmf(drawing().placeableFile(), {}, 192).size(), QSize(600, 400));
    const QImage plain = loadWmf(drawing({240, 180}).plainFile(), {}, 192);
    ASSERT_EQ(plain.size(), QSize(480, 360));
    EXPECT_TRUE(colourNear(plain, 214, 114, Qt::yellow, 0));
    EXPECT_TRUE(colourNear(plain, 224, 124, Qt::white, 0));
}

TEST(WmfLoader, MetafileWithoutPlaceableHeaderOpensAtItsWindow) {
    const QImage image = loadWmf(drawing({240, 180}).plainFile());
    ASSERT_EQ(image.size(), QSize(240, 180));
    EXPECT_TRUE(colourNear(image, 12, 12, Qt::yellow, 0));
}

TEST(WmfLoader, DamagedMetafilesAreNotValid) {
    const QByteArray whole = drawing().placeableFile();
    EXPECT_EQ(pictureErrorOf([&] { loadWmf(whole.left(whole.size() - 6)); }), kInvalid);
    EXPECT_EQ(pictureErrorOf([&] { loadWmf(whole.left(30)); }), kInvalid);
    QByteArray zeroRecord = whole;
    qToLittleEndian<quint32>(0, zeroRecord.data() + 22 + 18);
    EXPECT_EQ(pictureErrorOf([&] { loadWmf(zeroRecord); }), kInvalid);
    QByteArray endless = whole;
    qToLittleEndian<quint32>(0x7FFFFFFF, endless.data() + 22 + 18);
    EXPECT_EQ(pictureErrorOf([&] { loadWmf(endless); }), kInvalid);
    QByteArray noUnits = whole;
    qToLittleEndian<quint16>(0, noUnits.data() + 14);
    EXPECT_EQ(pictureErrorOf([&] { loadWmf(noUnits); }), kInvalid);
}

// Pens are narrowed only far beyond any real drawing's widths.
TEST(WmfLoader, WidePensKeepTheirWidthAndAbsurdOnesStillDraw) {
    WmfBuilder wmf({800, 600});
    wmf.selectPen(Qt::red, 20);
    wmf.polyline({{20, 50}, {780, 50}});
    wmf.selectPen(Qt::blue, 30000);
    wmf.polyline({{400, 550}, {401, 550}});
    const QImage image = loadWmf(wmf.placeableFile());
    EXPECT_TRUE(colourNear(image, 150, 42, Qt::red, 0));
    EXPECT_TRUE(colourNear(image, 150, 35, Qt::white, 0));
    EXPECT_TRUE(colourNear(image, 400, 500, Qt::blue, 0));
    EXPECT_TRUE(colourNear(image, 400, 200, Qt::white, 0));
}

// libgd fills a huge polygon pixel by pixel, clipped or not: minutes of
// work, which the player's time limit ends.
TEST(WmfLoader, FillOverAHugeAreaIsStoppedAtTheTimeLimit) {
    WmfBuilder wmf({64, 48});
    wmf.selectSolidBrush(Qt::blue);
    wmf.rectangle(QRect(-30000, -30000, 60000, 60000));
    PictureLimits limits;
    limits.maxPlayMilliseconds = 200;
    EXPECT_EQ(pictureErrorOf([&] { loadWmf(wmf.plainFile(), limits); }), kInvalid);
}

TEST(WmfLoader, FrameBeyondTheLimitsIsRefused) {
    QByteArray bytes = drawing().placeableFile();
    qToLittleEndian<quint16>(1, bytes.data() + 14); // one unit per inch: 28800 x 19200 pixels
    EXPECT_EQ(pictureErrorOf([&] { loadWmf(bytes); }), kInvalid);
}

TEST(EmfLoader, OpensAtItsFrameSize) {
    const QImage image = loadEmf(emfFixture());
    ASSERT_EQ(image.size(), QSize(320, 240));
    EXPECT_TRUE(colourNear(image, 5, 5, Qt::white));
    EXPECT_TRUE(colourNear(image, 80, 60, Qt::yellow));
    EXPECT_TRUE(colourNear(image, 290, 30, Qt::blue));
}

TEST(EmfLoader, TheScreensResolutionMakesThePixels) {
    const QImage image = loadEmf(emfFixture(), {}, 192);
    ASSERT_EQ(image.size(), QSize(640, 480));
    EXPECT_TRUE(colourNear(image, 160, 120, Qt::yellow));
    EXPECT_EQ(loadPicture(emfFixture(), PictureKind::Metafile, {}, 144).size(), QSize(480, 360));
}

TEST(EmfLoader, DamagedMetafilesAreNotValid) {
    const QByteArray whole = emfFixture();
    EXPECT_EQ(pictureErrorOf([&] { loadEmf(whole.left(whole.size() - 20)); }), kInvalid);
    EXPECT_EQ(pictureErrorOf([&] { loadEmf(whole.left(60)); }), kInvalid);
    QByteArray badRecordSize = whole;
    qToLittleEndian<quint32>(6, badRecordSize.data() + 4);
    EXPECT_EQ(pictureErrorOf([&] { loadEmf(badRecordSize); }), kInvalid);
    QByteArray emptyFrame = whole;
    qToLittleEndian<qint32>(0, emptyFrame.data() + 32);
    EXPECT_EQ(pictureErrorOf([&] { loadEmf(emptyFrame); }), kInvalid);
}

TEST(MetafileLoader, EitherKindOpensUnderEitherExtension) {
    EXPECT_EQ(loadPicture(drawing().placeableFile(), PictureKind::Metafile).size(),
              QSize(300, 200));
    EXPECT_EQ(loadPicture(emfFixture(), PictureKind::Metafile).size(), QSize(320, 240));
    // libUEMF, loaded for the enhanced kind, exports a wmf_free too; libwmf
    // must still find its own after it.
    EXPECT_EQ(loadPicture(drawing().plainFile(), PictureKind::Metafile).size(), QSize(300, 200));
    EXPECT_EQ(pictureErrorOf([] { loadPicture("BM not a metafile", PictureKind::Metafile); }),
              kInvalid);
}

} // namespace
} // namespace voltarix::pictures
