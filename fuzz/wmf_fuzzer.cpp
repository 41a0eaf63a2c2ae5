// Fuzz target: the wmf loader on arbitrary bytes.
#include "fuzz_target.h"

#include "pictures/loaders/wmf_loader.h"

VOLTARIX_FUZZ_TARGET([](const QByteArray& bytes, const voltarix::pictures::PictureLimits& limits) {
    return voltarix::pictures::loadWmf(bytes, limits);
})
