#pragma once

#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace voltarix::chart {

// An append-only array in fixed chunks of 2^ChunkShift elements. Growing never copies what is
// stored and never holds more than one partly filled chunk, so a store that must stay within a
// byte budget does not pay a vector's doubling (up to twice the bytes, and both copies at once
// while it moves).
template <typename T, int ChunkShift = 12> class ChunkedArray {
public:
    static constexpr std::size_t kChunkSize = std::size_t{1} << ChunkShift;

    Q_ALWAYS_INLINE void push_back(T value) {
        if (cursor_ == chunkEnd_)
            addChunk();
        *cursor_++ = value;
        ++size_;
    }

    std::int64_t size() const { return size_; }
    T operator[](std::int64_t index) const {
        const auto i = static_cast<std::uint64_t>(index);
        return chunks_[static_cast<std::size_t>(i >> ChunkShift)][i & (kChunkSize - 1)];
    }

    std::size_t memoryBytes() const {
        return chunks_.capacity() * sizeof(chunks_[0]) + chunks_.size() * kChunkSize * sizeof(T);
    }

private:
    void addChunk() {
        chunks_.push_back(std::make_unique_for_overwrite<T[]>(kChunkSize));
        cursor_ = chunks_.back().get();
        chunkEnd_ = cursor_ + kChunkSize;
    }

    std::vector<std::unique_ptr<T[]>> chunks_;
    T* cursor_ = nullptr;
    T* chunkEnd_ = nullptr;
    std::int64_t size_ = 0;
};

} // namespace voltarix::chart
