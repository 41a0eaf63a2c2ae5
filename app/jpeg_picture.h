#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace voltarix::app {

// The JPEG pictures the program carries (the splash), decoded with libjpeg's
// own API. A file that is not a JPEG libjpeg can read gives a null image and
// the library's reason; it never ends the program.
struct JpegPicture {
    QImage image;
    QString error;

    static JpegPicture decode(const QByteArray& bytes);
};

} // namespace voltarix::app
