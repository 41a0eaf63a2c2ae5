#include "chart/run_blocks.h"

#include <cstring>

namespace voltarix::chart {

// A block's codes are kept together, so that reading it never needs to find a next chunk; the
// mask history starts afresh, so that a block reads without the blocks before it.
void RunBlocks::startBlock(std::int64_t row, std::uint32_t levels) {
    const std::int64_t block = blockCount();
    while (pageCount() <= (row >> kPageShift))
        pageBlocks_.push_back(block);
    firstRows_.push_back(row);
    std::uint8_t* codes = bytes_.room(kMaxBlockBytes);
    codeStarts_.push_back(codes);
    std::memcpy(codes, &levels, sizeof(levels));
    bytes_.advanceTo(codes + sizeof(levels));
    masks_.clear();
}

std::int64_t RunBlocks::blockOf(std::int64_t row) const {
    const std::int64_t page = row >> kPageShift;
    std::int64_t low = pageBlocks(page);
    std::int64_t high = pageBlocks(page + 1);
    while (low < high) {
        const std::int64_t middle = low + (high - low) / 2;
        if (firstRows_[middle] <= row)
            low = middle + 1;
        else
            high = middle;
    }
    return low - 1;
}

std::size_t RunBlocks::memoryBytes() const {
    return sizeof(*this) + bytes_.memoryBytes() - sizeof(bytes_) + firstRows_.memoryBytes() +
           codeStarts_.memoryBytes() + pageBlocks_.capacity() * sizeof(std::int64_t);
}

} // namespace voltarix::chart
