#pragma once

#include "pictures/loaders/picture_limits.h"

#include <QByteArray>
#include <QImage>

namespace voltarix::pictures {

// Decodes a JPEG file's bytes with libjpeg into an image of its natural size:
// colour pictures as RGB32, gray ones as 8-bit gray, CMYK and YCCK converted
// to RGB here. Throws PictureError "JPEG error #n", n being libjpeg's message
// code, for anything libjpeg cannot decode and for a picture larger than the
// limits allow.
QImage loadJpeg(const QByteArray& bytes, const PictureLimits& limits = {});

} // namespace voltarix::pictures
