#include "jpeg_fixture.h"
#include "picture_assertions.h"
#include "picture_files.h"
#include "wmf_builder.h"

#include "pictures/loaders/picture_loader.h"

#include <gtest/gtest.h>

namespace voltarix::pictures {
namespace {

using testkit::pictureErrorOf;
using testkit::PictureFolder;

QImage sample(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    return image;
}

TEST(PictureExtension, MatchedWithoutRegardToCase) {
    EXPECT_EQ(pictureKindForExtension(QStringLiteral("BMP")), PictureKind::Bitmap);
    EXPECT_EQ(pictureKindForExtension(QStringLiteral("Jpeg")), PictureKind::Jpeg);
    EXPECT_EQ(pictureKindForExtension(QStringLiteral("jpg")), PictureKind::Jpeg);
    EXPECT_EQ(pictureKindForExtension(QStringLiteral("ICO")), PictureKind::Icon);
    EXPECT_EQ(pictureKindForExtension(QStringLiteral("eMf")), PictureKind::Metafile);
    EXPECT_EQ(pictureKindForExtension(QStringLiteral("wmf")), PictureKind::Metafile);
    EXPECT_FALSE(pictureKindForExtension(QStringLiteral("png")));
    EXPECT_FALSE(pictureKindForExtension(QString()));
}

TEST(PictureExtension, TakenFromTheFileNameNotTheFolder) {
    EXPECT_EQ(pictureExtensionOf(QStringLiteral("/tmp/a.b/page.BMP")), u"BMP");
    EXPECT_EQ(pictureExtensionOf(QStringLiteral("/tmp/a.b/page")), QString());
    EXPECT_EQ(pictureExtensionOf(QStringLiteral("/tmp/17DPage3-14_05_09.wmf")), u"wmf");
}

TEST(PictureFile, UpperCaseBitmapNameOpens) {
    PictureFolder folder;
    const QString path = folder.writeImage(QStringLiteral("page.BMP"), sample({120, 45}), "bmp");
    EXPECT_EQ(loadPictureFile(path).size(), QSize(120, 45));
}

TEST(PictureFile, UnregisteredExtensionFailsWithoutReadingTheFile) {
    PictureFolder folder;
    const QString path = folder.writeImage(QStringLiteral("page.png"), sample({8, 8}), "png");
    EXPECT_EQ(pictureErrorOf([&] { loadPictureFile(path); }),
              u"Unknown picture file extension (.png)");
    EXPECT_EQ(pictureErrorOf([&] { loadPictureFile(folder.path(QStringLiteral("gone.gif"))); }),
              u"Unknown picture file extension (.gif)");
    EXPECT_EQ(pictureErrorOf([&] { loadPictureFile(folder.path(QStringLiteral("noext"))); }),
              u"Unknown picture file extension (.)");
}

TEST(PictureFile, MissingFileCannotBeOpened) {
    PictureFolder folder;
    const QString path = folder.path(QStringLiteral("missing.jpg"));
    EXPECT_TRUE(pictureErrorOf([&] {
                    loadPictureFile(path);
                }).startsWith(QStringLiteral("Cannot open file \"%1\".").arg(path)));
}

TEST(PictureFile, KindFollowsTheExtensionNotTheContent) {
    PictureFolder folder;
    const QString jpegAsBitmap = folder.write(QStringLiteral("photo.bmp"), testkit::encodeJpeg({}));
    EXPECT_EQ(pictureErrorOf([&] { loadPictureFile(jpegAsBitmap); }), u"Bitmap image is not valid");
    const QString jpeg = folder.write(QStringLiteral("photo.JPEG"), testkit::encodeJpeg({}));
    EXPECT_EQ(loadPictureFile(jpeg).size(), QSize(64, 32));
}

TEST(PictureFile, WindowsMetafileUnderAnEmfNameOpens) {
    PictureFolder folder;
    testkit::WmfBuilder wmf({90, 60});
    wmf.selectSolidBrush(Qt::green);
    wmf.rectangle(QRect(0, 0, 90, 60));
    const QString path = folder.write(QStringLiteral("saved.emf"), wmf.placeableFile());
    const QImage image = loadPictureFile(path);
    EXPECT_EQ(image.size(), QSize(90, 60));
    EXPECT_TRUE(testkit::colourNear(image, 45, 30, Qt::green, 0));
}

} // namespace
} // namespace voltarix::pictures
