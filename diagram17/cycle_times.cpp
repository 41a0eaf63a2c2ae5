#include "diagram17/cycle_times.h"

namespace voltarix::diagram17 {

// An entry is coded after the one before it in the same block; a block ends after
// kMaxBlockEntries entries, or where its chunk has no room left for one more code, since a
// block's codes must stay together. The very first entry finds no room and starts the first.
void CycleTimes::append(std::uint64_t cycle, std::uint64_t timeUs, std::uint32_t levels) {
    if (written_ > 0 && timeUs < last_.timeUs)
        timeUs = last_.timeUs;
    if (blockEntries_ == kMaxBlockEntries || bytes_.roomLeft() < CycleTimeCode::kMaxBytes) {
        startBlock(cycle, timeUs, levels);
    } else {
        bytes_.advanceTo(CycleTimeCode::write(bytes_.position(), cycle, timeUs, levels, history_));
        ++blockEntries_;
    }
    last_.cycle = cycle;
    last_.timeUs = timeUs;
    last_.levels = levels;
    ++written_;
    published_.store(written_, std::memory_order_release);
}

// The block is published before its first entry, so a reader that sees the entry sees the
// block holding it.
void CycleTimes::startBlock(std::uint64_t cycle, std::uint64_t timeUs, std::uint32_t levels) {
    const Entry first{cycle, timeUs, levels};
    blocks_.push_back({written_, first, bytes_.room(CycleTimeCode::kMaxBytes)});
    publishedBlocks_.store(blocks_.size(), std::memory_order_release);
    history_.restart(first);
    blockEntries_ = 1;
}

std::size_t CycleTimes::memoryBytes() const {
    return sizeof(*this) + bytes_.memoryBytes() - sizeof(bytes_) + blocks_.memoryBytes() -
           sizeof(blocks_);
}

} // namespace voltarix::diagram17
