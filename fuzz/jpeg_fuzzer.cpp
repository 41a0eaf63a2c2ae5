// Fuzz target: the jpeg loader on arbitrary bytes.
#include "fuzz_target.h"

#include "pictures/loaders/jpeg_loader.h"

VOLTARIX_FUZZ_TARGET([](const QByteArray& bytes, const voltarix::pictures::PictureLimits& limits) {
    return voltarix::pictures::loadJpeg(bytes, limits);
})
