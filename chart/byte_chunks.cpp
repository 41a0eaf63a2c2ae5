#include "chart/byte_chunks.h"

#include <algorithm>

namespace voltarix::chart {

void ByteChunks::addChunk(std::size_t bytes) {
    const std::size_t size = std::max(nextChunkBytes_, bytes);
    chunks_.push_back(std::make_unique_for_overwrite<std::uint8_t[]>(size));
    position_ = chunks_.back().get();
    end_ = position_ + size;
    chunkBytes_ += size;
    nextChunkBytes_ = std::min(nextChunkBytes_ * 2, kMaxChunkBytes);
}

} // namespace voltarix::chart
