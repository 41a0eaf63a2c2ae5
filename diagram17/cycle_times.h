#pragma once

#include "chart/byte_chunks.h"
#include "diagram17/append_only_array.h"
#include "diagram17/cycle_time_code.h"
#include "diagram17/cycle_time_entry.h"

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace voltarix::diagram17 {

// Real time of a recording's cycles, kept in proportion to level changes. The capture loop
// passes at least the first cycle of every run of equal levels and the last cycle it takes of
// each run, and may skip the cycles between them; cycles come in increasing order. A passed
// cycle becomes an entry when its levels differ from the last entry's, or when maxGap cycles or
// more have passed since the last entry. So every change keeps its exact cycle and time, and
// an idle stretch keeps its clock: an entry every maxGap cycles where every cycle is passed,
// and its last cycle wherever the stretch lasted maxGap cycles or more. Cycles are numbered
// from 0 (the chart's x).
//
// Entries are delta-coded (CycleTimeCode): about a byte when every line toggles every cycle.
// Codes are kept in blocks of at most kMaxBlockEntries, each starting from an entry written in
// full, so a reader can start at any entry after a search among blocks and at most a block's
// worth of steps.
//
// Threads. One thread records: it calls record() and may call every member. At the same time
// other threads may read the entries published so far, each through a CycleTimesReader of its
// own (or with size() and forEach()). record() publishes its entry before it returns, with
// release ordering; a reader takes the published count with acquire ordering and reads only
// below it. Stored codes and block headers never move and never change, so the recording
// thread never waits for a reader and a reader never sees a half-written entry. memoryBytes()
// belongs to the recording thread. The store must outlive its readers.
class CycleTimes {
public:
    using Entry = CycleTimeEntry;

    static constexpr std::uint64_t maxGap = 4096;
    static constexpr std::size_t kMaxBlockEntries = 4096;

    // A block of codes: its first entry in full, and where the codes of the entries after it
    // begin.
    struct Block {
        std::size_t firstEntry = 0;
        Entry first;
        const std::uint8_t* codes = nullptr;
    };

    CycleTimes() = default;
    CycleTimes(const CycleTimes&) = delete;
    CycleTimes& operator=(const CycleTimes&) = delete;

    // Passes one cycle: its levels and the time taken at its first pin read. A time before the
    // last entry's (a clock that stepped back) is held at that time. A cycle at or before the
    // last entry's adds nothing: the first and last cycle of a run of one are the same cycle.
    void record(std::uint64_t cycle, std::uint64_t timeUs, std::uint32_t levels) {
        if (written_ > 0 &&
            (cycle <= last_.cycle || (levels == last_.levels && cycle - last_.cycle < maxGap)))
            return;
        append(cycle, timeUs, levels);
    }

    // Entries published; any thread.
    std::size_t size() const { return published_.load(std::memory_order_acquire); }
    bool empty() const { return size() == 0; }
    // Blocks published: at least those holding the entries size() counted, when taken after it.
    std::size_t blockCount() const { return publishedBlocks_.load(std::memory_order_acquire); }
    // A published block; any thread.
    const Block& block(std::size_t index) const { return blocks_[index]; }

    // Calls visit(const Entry&) for every entry published when it starts, oldest first.
    template <typename Visit> void forEach(Visit visit) const;

    std::size_t memoryBytes() const;

private:
    // Takes the parts one by one, as CycleTimeCode::write does.
    void append(std::uint64_t cycle, std::uint64_t timeUs, std::uint32_t levels);
    void startBlock(std::uint64_t cycle, std::uint64_t timeUs, std::uint32_t levels);

    chart::ByteChunks bytes_;
    AppendOnlyArray<Block> blocks_;
    CycleTimeCode::History history_;
    Entry last_;
    std::size_t written_ = 0;
    std::size_t blockEntries_ = 0;
    std::atomic<std::size_t> published_ = 0;
    std::atomic<std::size_t> publishedBlocks_ = 0;
};

} // namespace voltarix::diagram17

#include "diagram17/cycle_times_reader.h"

namespace voltarix::diagram17 {

template <typename Visit> void CycleTimes::forEach(Visit visit) const {
    CycleTimesReader(*this).read(visit);
}

} // namespace voltarix::diagram17
