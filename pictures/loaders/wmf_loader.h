#pragma once

#include "pictures/loaders/metafile_resolution.h"
#include "pictures/loaders/picture_limits.h"

#include <QByteArray>
#include <QImage>

namespace voltarix::pictures {

// Plays a Windows metafile (with or without the placeable header) through
// libwmf's gd device into an image of the metafile's natural size: the
// placeable frame at its units per inch, made into pixels at dotsPerInch, or
// the window or libwmf's own measure of the drawing for a file without that
// header, one unit a pixel of an unscaled screen.
// Throws PictureError "Metafile is not valid" for a file libwmf refuses and
// for a picture larger than the limits allow.
QImage loadWmf(const QByteArray& bytes, const PictureLimits& limits = {},
               double dotsPerInch = kUnscaledScreenDpi);

} // namespace voltarix::pictures
