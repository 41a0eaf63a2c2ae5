#include "pictures/loaders/jpeg_loader.h"

#include "pictures/loaders/picture_error.h"

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

namespace voltarix::pictures {

namespace {

// A damaged header can make libjpeg warn thousands of times before it gives
// up; past this many warnings the file counts as broken.
constexpr int kMaxWarnings = 100;
// A progressive file may hold any number of scans, each a full pass over the
// coefficients; real encoders write a dozen at most.
constexpr int kMaxScans = 500;
// libjpeg's own working memory (coefficient buffers of progressive files).
constexpr long kMaxDecoderMemory = 512L * 1024 * 1024;

struct ErrorManager {
    jpeg_error_mgr manager;
    std::jmp_buf escape;
    int warnings = 0;
};

// libjpeg's default ends the process; here an error leaves the decoder and
// returns to the loader, which reports libjpeg's message code.
[[noreturn]] void leaveDecoder(j_common_ptr info) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    std::longjmp(errors->escape, 1);
}

// Trace messages are ignored and warnings are counted, never printed.
void countWarnings(j_common_ptr info, int level) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    if (level < 0 && ++errors->warnings > kMaxWarnings)
        leaveDecoder(info);
}

void limitScans(j_common_ptr info) {
    auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
    if (decompress->input_scan_number > kMaxScans)
        ERREXIT1(info, JERR_BAD_SCAN_SCRIPT, decompress->input_scan_number);
}

// Everything libjpeg touches lives here, outside the frame that calls
// setjmp, so that nothing of it is left indeterminate after a longjmp.
struct Decoder {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    jpeg_progress_mgr progress{};
    QImage image;
    std::vector<JSAMPLE> cmykRow;
    bool created = false;

    ~Decoder() {
        if (created)
            jpeg_destroy_decompress(&info);
    }
};

bool isCmyk(J_COLOR_SPACE space) {
    return space == JCS_CMYK || space == JCS_YCCK;
}

J_COLOR_SPACE outputSpaceFor(J_COLOR_SPACE fileSpace) {
    if (fileSpace == JCS_GRAYSCALE)
        return JCS_GRAYSCALE;
    if (isCmyk(fileSpace))
        return JCS_CMYK;
    return JCS_EXT_BGRX;
}

QImage::Format imageFormatFor(J_COLOR_SPACE outputSpace) {
    return outputSpace == JCS_GRAYSCALE ? QImage::Format_Grayscale8 : QImage::Format_RGB32;
}

// Files with an Adobe marker (Photoshop and libjpeg itself) store CMYK
// inverted, 255 meaning no ink; files without it store plain ink values.
void convertCmykRow(const JSAMPLE* cmyk, int width, bool inverted, QRgb* out) {
    for (int x = 0; x < width; ++x, cmyk += 4) {
        int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        out[x] = qRgb(c * k / 255, m * k / 255, y * k / 255);
    }
}

void readScanLines(Decoder& decoder) {
    jpeg_decompress_struct& info = decoder.info;
    const bool cmyk = info.out_color_space == JCS_CMYK;
    if (cmyk)
        decoder.cmykRow.resize(std::size_t(info.output_width) * 4);
    while (info.output_scanline < info.output_height) {
        uchar* line = decoder.image.scanLine(int(info.output_scanline));
        JSAMPROW row = cmyk ? decoder.cmykRow.data() : line;
        if (jpeg_read_scanlines(&info, &row, 1) != 1)
            ERREXIT(&info, JERR_INPUT_EMPTY);
        if (cmyk)
            convertCmykRow(row, int(info.output_width), info.saw_Adobe_marker,
                           reinterpret_cast<QRgb*>(line));
    }
}

void startDecoder(Decoder& decoder, const QByteArray& bytes, const PictureLimits& limits) {
    jpeg_decompress_struct& info = decoder.info;
    if (bytes.size() > limits.maxFileBytes)
        ERREXIT1(&info, JERR_IMAGE_TOO_BIG, limits.maxSide);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    if (!limits.allowsImage(info.image_width, info.image_height))
        ERREXIT1(&info, JERR_IMAGE_TOO_BIG, limits.maxSide);
    info.out_color_space = outputSpaceFor(info.jpeg_color_space);
    jpeg_start_decompress(&info);
    decoder.image = QImage(int(info.output_width), int(info.output_height),
                           imageFormatFor(info.out_color_space));
    if (decoder.image.isNull())
        ERREXIT1(&info, JERR_OUT_OF_MEMORY, 0);
}

// False when libjpeg gave up; its message code then says why.
bool decode(Decoder& decoder, const QByteArray& bytes, const PictureLimits& limits) {
    jpeg_decompress_struct& info = decoder.info;
    info.err = jpeg_std_error(&decoder.errors.manager);
    decoder.errors.manager.error_exit = leaveDecoder;
    decoder.errors.manager.emit_message = countWarnings;
    if (setjmp(decoder.errors.escape) != 0)
        return false;
    jpeg_create_decompress(&info);
    decoder.created = true;
    info.mem->max_memory_to_use = kMaxDecoderMemory;
    decoder.progress.progress_monitor = limitScans;
    info.progress = &decoder.progress;
    startDecoder(decoder, bytes, limits);
    readScanLines(decoder);
    jpeg_finish_decompress(&info);
    return true;
}

} // namespace

QImage loadJpeg(const QByteArray& bytes, const PictureLimits& limits) {
    Decoder decoder;
    if (!decode(decoder, bytes, limits))
        throw PictureError(QStringLiteral("JPEG error #%1").arg(decoder.errors.manager.msg_code));
    return std::move(decoder.image);
}

} // namespace voltarix::pictures
