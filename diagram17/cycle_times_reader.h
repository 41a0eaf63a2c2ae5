#pragma once

#include "diagram17/cycle_time_code.h"
#include "diagram17/cycle_time_entry.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace voltarix::diagram17 {

class CycleTimes;

// A reading position in a CycleTimes, for a thread other than the recording one (or for that
// one): it reads the entries published so far from where it stands and stops, and the next
// read goes on from there at the cost of one code per entry. Starting at a later entry costs a
// search among the store's blocks and at most a block of steps, once, at the first read that
// finds the entry published. One reader belongs to one thread at a time.
class CycleTimesReader {
public:
    using Entry = CycleTimeEntry;

    // Reads `times` from entry `from` on; `from` may lie past the entries published yet.
    explicit CycleTimesReader(const CycleTimes& times, std::size_t from = 0);

    // The index of the next entry to read.
    std::size_t position() const { return position_; }
    // Entries published and not read yet.
    std::size_t available() const;

    // Calls visit(const Entry&) for the entries from position() on that are published now, at
    // most `limit` of them, oldest first, and moves past them; returns how many it visited.
    template <typename Visit>
    std::size_t read(Visit visit, std::size_t limit = std::numeric_limits<std::size_t>::max());

private:
    // The end of what may be read now, and the blocks holding it.
    struct Published {
        std::size_t entries;
        std::size_t blocks;
    };
    Published published() const;
    // Decodes entry position() and moves past it; it must be published.
    const Entry& next(std::size_t blocks);
    void seek(std::size_t blocks);
    void enterBlock(std::size_t block);

    const CycleTimes* times_;
    CycleTimeCode::History history_;
    const std::uint8_t* code_ = nullptr;
    std::size_t position_;
    // The block after the one of the entry last decoded.
    std::size_t nextBlock_ = 0;
    bool positioned_;
};

template <typename Visit> std::size_t CycleTimesReader::read(Visit visit, std::size_t limit) {
    const Published end = published();
    if (position_ >= end.entries)
        return 0;
    if (!positioned_)
        seek(end.blocks);
    const std::size_t count = std::min(limit, end.entries - position_);
    for (std::size_t i = 0; i < count; ++i)
        visit(next(end.blocks));
    return count;
}

} // namespace voltarix::diagram17
