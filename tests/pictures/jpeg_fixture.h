#pragma once

#include <QByteArray>
#include <QColor>
#include <QSize>

namespace voltarix::testkit {

// JPEG files written with libjpeg's own encoder, for loader tests and the
// fuzzers' seed files: the left half of the picture one colour, the right
// half another, so that a decoder's colour conversion shows.
enum class JpegColours { Gray, Colour, Cmyk };

struct JpegFixture {
    JpegColours colours = JpegColours::Colour;
    QSize size{64, 32};
    QColor left = Qt::red;
    QColor right = Qt::blue;
    bool progressive = false;
};

QByteArray encodeJpeg(const JpegFixture& fixture);

} // namespace voltarix::testkit
