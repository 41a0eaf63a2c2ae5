#pragma once

// Shared set-up of the picture loader fuzz targets: one offscreen
// application (fonts and image plug-ins need it) and limits that keep each
// run small. The limits are the loaders' own checks at a smaller scale; the
// program's defaults go through the same code paths.
#include "pictures/loaders/picture_error.h"
#include "pictures/loaders/picture_limits.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QImage>

#include <cstdint>
#include <cstdlib>

namespace voltarix::fuzz {

inline pictures::PictureLimits fuzzLimits() {
    pictures::PictureLimits limits;
    limits.maxSide = 4096;
    limits.maxPixels = 1 << 22;
    limits.maxFileBytes = 1 << 20;
    limits.maxMetafileBytes = 1 << 20;
    limits.maxPlayMilliseconds = 1000;
    return limits;
}

inline void startApplication() {
    static int argc = 1;
    static char name[] = "picture_fuzzer";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
}

// A load ends in a picture within the limits or in a PictureError; anything
// else (another exception, a picture beyond the limits) is a finding.
template <typename Load> int runOne(const std::uint8_t* data, std::size_t size, Load load) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const pictures::PictureLimits limits = fuzzLimits();
    try {
        const QImage image = load(bytes, limits);
        if (image.isNull() || !limits.allowsImage(image.width(), image.height()))
            std::abort();
    } catch (const pictures::PictureError&) {
    }
    return 0;
}

} // namespace voltarix::fuzz

#define VOLTARIX_FUZZ_TARGET(load)                                                                 \
    extern "C" int LLVMFuzzerInitialize(int*, char***) {                                           \
        voltarix::fuzz::startApplication();                                                        \
        return 0;                                                                                  \
    }                                                                                              \
    extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {            \
        return voltarix::fuzz::runOne(data, size, load);                                           \
    }
