#pragma once

#include "pictures/loaders/picture_limits.h"

#include <QByteArray>
#include <QImage>

namespace voltarix::pictures {

// Bitmaps and icons through Qt's image readers, at their natural size.
// loadBitmap throws PictureError "Bitmap image is not valid", loadIcon
// "Icon image is not valid", for a file the reader refuses or one larger
// than the limits allow. An icon file shows its first image.
QImage loadBitmap(const QByteArray& bytes, const PictureLimits& limits = {});
QImage loadIcon(const QByteArray& bytes, const PictureLimits& limits = {});

} // namespace voltarix::pictures
