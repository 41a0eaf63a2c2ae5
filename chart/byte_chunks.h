#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace voltarix::chart {

// Append-only bytes in chunks that never move once allocated, for codes of variable length
// that are found again through pointers into them. The writer asks for room before writing a
// group of codes that must stay together; a group never straddles two chunks. Chunks start
// small and double up to kMaxChunkBytes, so a short recording holds a few kilobytes and a long
// one wastes at most the tail of its last chunk.
//
// Only the writer touches this object; bytes below the write position never change, so another
// thread may read them through pointers handed to it with release/acquire ordering.
class ByteChunks {
public:
    static constexpr std::size_t kFirstChunkBytes = std::size_t{1} << 12;
    static constexpr std::size_t kMaxChunkBytes = std::size_t{1} << 16;

    // The write position, with at least `bytes` contiguous bytes free from it on (a new chunk
    // when the current one has less); `bytes` is at most kMaxChunkBytes.
    std::uint8_t* room(std::size_t bytes) {
        if (static_cast<std::size_t>(end_ - position_) < bytes)
            addChunk(bytes);
        return position_;
    }
    // Bytes free after the write position in the current chunk.
    std::size_t roomLeft() const { return static_cast<std::size_t>(end_ - position_); }
    std::uint8_t* position() const { return position_; }
    // Marks the bytes up to `end`, written from position(), as used.
    void advanceTo(std::uint8_t* end) { position_ = end; }

    std::size_t memoryBytes() const {
        return sizeof(*this) + chunks_.capacity() * sizeof(chunks_[0]) + chunkBytes_;
    }

private:
    void addChunk(std::size_t bytes);

    std::vector<std::unique_ptr<std::uint8_t[]>> chunks_;
    std::uint8_t* position_ = nullptr;
    std::uint8_t* end_ = nullptr;
    std::size_t chunkBytes_ = 0;
    std::size_t nextChunkBytes_ = kFirstChunkBytes;
};

} // namespace voltarix::chart
