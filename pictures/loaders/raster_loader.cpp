#include "pictures/loaders/raster_loader.h"

#include "pictures/loaders/picture_error.h"

#include <QBuffer>
#include <QImageReader>

namespace voltarix::pictures {

namespace {

// The reader is told the format: the kind follows the file's extension,
// and a reader that guessed from the content could take a JPEG or a PNG
// named .bmp for a bitmap.
QImage readImage(const QByteArray& bytes, const char* format, const PictureLimits& limits,
                 const QString& invalidText) {
    if (bytes.size() > limits.maxFileBytes)
        throw PictureError(invalidText);
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(false);
    reader.setAllocationLimit(int(limits.maxPixels * 4 / (1024 * 1024)) + 1);
    const QSize size = reader.size();
    if (!size.isValid() || !limits.allowsImage(size.width(), size.height()))
        throw PictureError(invalidText);
    QImage image = reader.read();
    if (image.isNull() || !limits.allowsImage(image.width(), image.height()))
        throw PictureError(invalidText);
    return image;
}

} // namespace

QImage loadBitmap(const QByteArray& bytes, const PictureLimits& limits) {
    return readImage(bytes, "bmp", limits, QStringLiteral("Bitmap image is not valid"));
}

QImage loadIcon(const QByteArray& bytes, const PictureLimits& limits) {
    return readImage(bytes, "ico", limits, QStringLiteral("Icon image is not valid"));
}

} // namespace voltarix::pictures
