#include "app/jpeg_picture.h"

#include <cstdio>
// jpeglib.h needs size_t and FILE declared before it.
#include <csetjmp>
#include <jpeglib.h>

namespace voltarix::app {

namespace {

// A corrupt header can make libjpeg warn thousands of times before it gives
// up; past this many the picture is refused.
constexpr long maxWarnings = 100;

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf escape;
    char message[JMSG_LENGTH_MAX];
};

// libjpeg's default ends the process; this returns to the decoder instead.
[[noreturn]] void leaveDecoder(j_common_ptr info) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->escape, 1);
}

void countWarning(j_common_ptr info, int level) {
    if (level >= 0)
        return; // trace messages, not warnings
    if (++info->err->num_warnings > maxWarnings) {
        auto* manager = reinterpret_cast<ErrorManager*>(info->err);
        std::snprintf(manager->message, sizeof manager->message,
                      "corrupt JPEG data: more than %ld warnings", maxWarnings);
        std::longjmp(manager->escape, 1);
    }
}

struct Decoding {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    QImage image;
};

// Everything libjpeg may jump out of happens here; the caller owns every
// object with a destructor, so the jump skips none.
bool decodeInto(Decoding& decoding, const QByteArray& bytes) {
    jpeg_decompress_struct& info = decoding.info;
    info.err = jpeg_std_error(&decoding.errors.base);
    decoding.errors.base.error_exit = leaveDecoder;
    decoding.errors.base.emit_message = countWarning;
    if (setjmp(decoding.errors.escape) != 0)
        return false;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK) {
        std::snprintf(decoding.errors.message, sizeof decoding.errors.message,
                      "CMYK JPEG pictures are not supported here");
        return false;
    }
    info.out_color_space = JCS_EXT_BGRX; // the byte order of QImage::Format_RGB32
    jpeg_start_decompress(&info);
    decoding.image = QImage(static_cast<int>(info.output_width),
                            static_cast<int>(info.output_height), QImage::Format_RGB32);
    if (decoding.image.isNull()) {
        std::snprintf(decoding.errors.message, sizeof decoding.errors.message,
                      "not enough memory for a %ux%u picture", info.output_width,
                      info.output_height);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = decoding.image.scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    return true;
}

} // namespace

JpegPicture JpegPicture::decode(const QByteArray& bytes) {
    if (bytes.isEmpty())
        return {QImage(), QStringLiteral("empty JPEG data")};
    Decoding decoding;
    const bool decoded = decodeInto(decoding, bytes);
    jpeg_destroy_decompress(&decoding.info);
    if (!decoded)
        return {QImage(), QString::fromLocal8Bit(decoding.errors.message)};
    return {decoding.image, QString()};
}

} // namespace voltarix::app
