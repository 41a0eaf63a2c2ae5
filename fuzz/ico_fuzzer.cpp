// Fuzz target: the ico loader on arbitrary bytes.
#include "fuzz_target.h"

#include "pictures/loaders/raster_loader.h"

VOLTARIX_FUZZ_TARGET([](const QByteArray& bytes, const voltarix::pictures::PictureLimits& limits) {
    return voltarix::pictures::loadIcon(bytes, limits);
})
