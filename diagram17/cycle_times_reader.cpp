#include "diagram17/cycle_times_reader.h"

#include "diagram17/cycle_times.h"

namespace voltarix::diagram17 {

CycleTimesReader::CycleTimesReader(const CycleTimes& times, std::size_t from)
    : times_(&times), position_(from), positioned_(from == 0) {}

// The count first: the blocks published by then hold every entry it counts.
CycleTimesReader::Published CycleTimesReader::published() const {
    const std::size_t entries = times_->size();
    return {entries, times_->blockCount()};
}

std::size_t CycleTimesReader::available() const {
    const std::size_t entries = times_->size();
    return entries > position_ ? entries - position_ : 0;
}

// An entry is either the first of the next block, written in full, or a code after the entry
// before it.
const CycleTimesReader::Entry& CycleTimesReader::next(std::size_t blocks) {
    if (nextBlock_ < blocks && times_->block(nextBlock_).firstEntry == position_)
        enterBlock(nextBlock_);
    else
        code_ = CycleTimeCode::read(code_, history_);
    ++position_;
    return history_.last;
}

void CycleTimesReader::enterBlock(std::size_t block) {
    const CycleTimes::Block& header = times_->block(block);
    history_.restart(header.first);
    code_ = header.codes;
    nextBlock_ = block + 1;
}

// From the start of the last block that begins at or before the entry asked for.
void CycleTimesReader::seek(std::size_t blocks) {
    const std::size_t target = position_;
    std::size_t low = 0;
    std::size_t high = blocks;
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (times_->block(middle).firstEntry <= target)
            low = middle + 1;
        else
            high = middle;
    }
    nextBlock_ = low - 1;
    position_ = times_->block(nextBlock_).firstEntry;
    positioned_ = true;
    while (position_ < target)
        next(blocks);
}

} // namespace voltarix::diagram17
