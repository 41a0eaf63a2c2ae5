// Every file kept under damaged/ (inputs the fuzzers found, and hand-made
// ones) must end in an error or a picture within the limits: never a crash,
// a hang or a memory blow-up. The subfolder names the kind.
#include "pictures/loaders/picture_error.h"
#include "pictures/loaders/picture_loader.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <gtest/gtest.h>

namespace voltarix::pictures {
namespace {

PictureKind kindOfFolder(const QString& name) {
    if (name == u"jpeg")
        return PictureKind::Jpeg;
    if (name == u"bmp")
        return PictureKind::Bitmap;
    if (name == u"ico")
        return PictureKind::Icon;
    return PictureKind::Metafile;
}

TEST(DamagedFiles, EndInAnErrorOrAPictureWithinTheLimits) {
    const QDir root(QStringLiteral(VOLTARIX_DAMAGED_PICTURES_DIR));
    int files = 0;
    for (const QString& folder : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QDirIterator entries(root.filePath(folder), QDir::Files);
        while (entries.hasNext()) {
            const QString path = entries.next();
            SCOPED_TRACE(path.toStdString());
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            const PictureLimits limits;
            try {
                const QImage image = loadPicture(file.readAll(), kindOfFolder(folder), limits);
                EXPECT_TRUE(limits.allowsImage(image.width(), image.height()));
            } catch (const PictureError&) {
            }
            ++files;
        }
    }
    EXPECT_GE(files, 5);
}

} // namespace
} // namespace voltarix::pictures
