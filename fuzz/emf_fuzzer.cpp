// Fuzz target: the emf loader on arbitrary bytes.
#include "fuzz_target.h"

#include "pictures/loaders/emf_loader.h"

VOLTARIX_FUZZ_TARGET([](const QByteArray& bytes, const voltarix::pictures::PictureLimits& limits) {
    return voltarix::pictures::loadEmf(bytes, limits);
})
