#pragma once

#include "pictures/loaders/metafile_resolution.h"
#include "pictures/loaders/picture_limits.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

namespace voltarix::pictures {

// The kinds of picture the program reads. The kind follows the file name's
// extension; a metafile's own content then tells Windows from enhanced.
enum class PictureKind { Jpeg, Bitmap, Icon, Metafile };

// The kind registered for an extension given without its dot, letter case
// ignored; nothing for an extension no format is registered for.
std::optional<PictureKind> pictureKindForExtension(const QString& extension);

// The extension of a file name as the loader looks it up: what follows the
// last dot of the name (not of the folder), without the dot; empty if none.
QString pictureExtensionOf(const QString& path);

// Decodes a file's bytes as the given kind, at the picture's natural size: a
// raster picture at its pixels, a metafile at its frame made into pixels at
// dotsPerInch. Throws PictureError with the text of the error box.
QImage loadPicture(const QByteArray& bytes, PictureKind kind, const PictureLimits& limits = {},
                   double dotsPerInch = kUnscaledScreenDpi);

// Reads and decodes a picture file, choosing the kind by its extension.
// Throws PictureError "Unknown picture file extension (.ext)" for an
// extension outside the registered formats, "Cannot open file ..." for a
// file that cannot be read, and the decoder's error for a damaged file.
QImage loadPictureFile(const QString& path, const PictureLimits& limits = {},
                       double dotsPerInch = kUnscaledScreenDpi);

} // namespace voltarix::pictures
