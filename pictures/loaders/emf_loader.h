#pragma once

#include "pictures/loaders/metafile_resolution.h"
#include "pictures/loaders/picture_limits.h"

#include <QByteArray>
#include <QImage>

namespace voltarix::pictures {

// Converts an enhanced metafile to SVG with libemf2svg and renders that with
// QtSvg into an image of the metafile's natural size: its picture frame
// (hundredths of a millimetre) at dotsPerInch. Throws PictureError
// "Metafile is not valid" for a broken record chain, a file libemf2svg
// refuses, and a picture larger than the limits allow.
QImage loadEmf(const QByteArray& bytes, const PictureLimits& limits = {},
               double dotsPerInch = kUnscaledScreenDpi);

} // namespace voltarix::pictures
