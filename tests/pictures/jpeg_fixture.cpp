#include "jpeg_fixture.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace voltarix::testkit {

namespace {

int componentsOf(JpegColours colours) {
    switch (colours) {
    case JpegColours::Gray:
        return 1;
    case JpegColours::Colour:
        return 3;
    case JpegColours::Cmyk:
        return 4;
    }
    return 3;
}

// CMYK goes in as Adobe writes it, inverted: 255 means no ink.
void putPixel(JpegColours colours, QColor colour, JSAMPLE* out) {
    switch (colours) {
    case JpegColours::Gray:
        out[0] = JSAMPLE(qGray(colour.rgb()));
        break;
    case JpegColours::Colour:
        out[0] = JSAMPLE(colour.red());
        out[1] = JSAMPLE(colour.green());
        out[2] = JSAMPLE(colour.blue());
        break;
    case JpegColours::Cmyk: {
        const QColor cmyk = colour.toCmyk();
        out[0] = JSAMPLE(255 - cmyk.cyan());
        out[1] = JSAMPLE(255 - cmyk.magenta());
        out[2] = JSAMPLE(255 - cmyk.yellow());
        out[3] = JSAMPLE(255 - cmyk.black());
        break;
    }
    }
}

} // namespace

QByteArray encodeJpeg(const JpegFixture& fixture) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long length = 0;
    jpeg_mem_dest(&info, &buffer, &length);
    const int components = componentsOf(fixture.colours);
    info.image_width = JDIMENSION(fixture.size.width());
    info.image_height = JDIMENSION(fixture.size.height());
    info.input_components = components;
    info.in_color_space = fixture.colours == JpegColours::Gray   ? JCS_GRAYSCALE
                          : fixture.colours == JpegColours::Cmyk ? JCS_CMYK
                                                                 : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    if (fixture.progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(std::size_t(fixture.size.width()) * components);
    for (int x = 0; x < fixture.size.width(); ++x)
        putPixel(fixture.colours, x < fixture.size.width() / 2 ? fixture.left : fixture.right,
                 row.data() + std::size_t(x) * components);
    while (info.next_scanline < info.image_height) {
        JSAMPROW line = row.data();
        jpeg_write_scanlines(&info, &line, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), qsizetype(length));
    std::free(buffer);
    return bytes;
}

} // namespace voltarix::testkit
