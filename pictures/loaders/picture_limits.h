#pragma once

#include <cstdint>

namespace voltarix::pictures {

// How large a picture any loader will make. A damaged or hostile file can
// claim any size in its header; these bounds keep such a file from taking
// the machine's memory or time, and the loader reports it as not valid.
struct PictureLimits {
    // Longest side, in pixels, of the image a file may decode to.
    int maxSide = 16384;
    // Pixels of the decoded image (four bytes each).
    std::int64_t maxPixels = 40'000'000;
    // Bytes of a file that is read at all.
    std::int64_t maxFileBytes = 128 * 1024 * 1024;
    // Bytes a metafile may hold; a metafile is played record by record, so
    // its size bounds its drawing time.
    std::int64_t maxMetafileBytes = 16 * 1024 * 1024;
    // Time a metafile's player may take before it is stopped.
    int maxPlayMilliseconds = 5000;

    bool allowsImage(std::int64_t width, std::int64_t height) const {
        return width > 0 && height > 0 && width <= maxSide && height <= maxSide &&
               width * height <= maxPixels;
    }
};

} // namespace voltarix::pictures
