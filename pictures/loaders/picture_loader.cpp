#include "pictures/loaders/picture_loader.h"

#include "pictures/loaders/emf_loader.h"
#include "pictures/loaders/jpeg_loader.h"
#include "pictures/loaders/metafile_kind.h"
#include "pictures/loaders/picture_error.h"
#include "pictures/loaders/raster_loader.h"
#include "pictures/loaders/wmf_loader.h"

#include <QFile>
#include <QFileInfo>

namespace voltarix::pictures {

namespace {

QImage loadMetafile(const QByteArray& bytes, const PictureLimits& limits, double dotsPerInch) {
    switch (metafileKindOf(bytes)) {
    case MetafileKind::Windows:
        return loadWmf(bytes, limits, dotsPerInch);
    case MetafileKind::Enhanced:
        return loadEmf(bytes, limits, dotsPerInch);
    case MetafileKind::Unknown:
        break;
    }
    throw PictureError(QStringLiteral("Metafile is not valid"));
}

QByteArray readFile(const QString& path, const PictureLimits& limits) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw PictureError(
            QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    // A file beyond the limit is read only that far: no decoder takes it.
    QByteArray bytes = file.read(limits.maxFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        throw PictureError(
            QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    return bytes;
}

} // namespace

std::optional<PictureKind> pictureKindForExtension(const QString& extension) {
    const QString lower = extension.toLower();
    if (lower == u"jpg" || lower == u"jpeg")
        return PictureKind::Jpeg;
    if (lower == u"bmp")
        return PictureKind::Bitmap;
    if (lower == u"ico")
        return PictureKind::Icon;
    if (lower == u"emf" || lower == u"wmf")
        return PictureKind::Metafile;
    return std::nullopt;
}

QString pictureExtensionOf(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot + 1);
}

QImage loadPicture(const QByteArray& bytes, PictureKind kind, const PictureLimits& limits,
                   double dotsPerInch) {
    switch (kind) {
    case PictureKind::Jpeg:
        return loadJpeg(bytes, limits);
    case PictureKind::Bitmap:
        return loadBitmap(bytes, limits);
    case PictureKind::Icon:
        return loadIcon(bytes, limits);
    case PictureKind::Metafile:
        return loadMetafile(bytes, limits, dotsPerInch);
    }
    throw PictureError(QStringLiteral("Unknown picture kind"));
}

QImage loadPictureFile(const QString& path, const PictureLimits& limits, double dotsPerInch) {
    const QString extension = pictureExtensionOf(path);
    const std::optional<PictureKind> kind = pictureKindForExtension(extension);
    if (!kind)
        throw PictureError(QStringLiteral("Unknown picture file extension (.%1)").arg(extension));
    return loadPicture(readFile(path, limits), *kind, limits, dotsPerInch);
}

} // namespace voltarix::pictures
