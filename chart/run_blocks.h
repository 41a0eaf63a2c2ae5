#pragma once

#include "chart/byte_chunks.h"
#include "chart/chunked_array.h"
#include "chart/run_code.h"

#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace voltarix::chart {

// Runs of equal level rows, packed: runs fall into blocks of kBlockRuns; a block keeps its
// first run's first row and levels in full, and every step to the next run in the block as a
// RunCode (one byte for a short run and a change seen lately). The levels lead the block's
// codes, so that entering a block reads one place besides its codes. A run therefore costs about a
// byte and a third when every row changes, and a few bytes however long it lasts. A block is
// read from its start, so reaching any run takes a search among blocks and at most
// kBlockRuns - 1 steps, however long the recording. Rows fall into pages of 2^kPageShift, each
// knowing the first block that starts in it, which keeps that search within one page.
//
// The runs' rows are the owner's: the last run is open and ends at the owner's row count.
class RunBlocks {
public:
    static constexpr int kBlockShift = 6;
    static constexpr std::int64_t kBlockRuns = std::int64_t{1} << kBlockShift;
    static constexpr int kPageShift = 16;

    // Starts a run at `row` with `levels`, ending the run before; rows only grow, and the first
    // run starts at row 0.
    Q_ALWAYS_INLINE void start(std::int64_t row, std::uint32_t levels) {
        if ((count_ & (kBlockRuns - 1)) == 0)
            startBlock(row, levels);
        else
            bytes_.advanceTo(
                RunCode::write(bytes_.position(), row - lastFirst_, levels ^ lastLevels_, masks_));
        lastFirst_ = row;
        lastLevels_ = levels;
        ++count_;
    }

    std::int64_t count() const { return count_; }
    std::int64_t blockCount() const { return firstRows_.size(); }
    std::int64_t blockFirstRow(std::int64_t block) const { return firstRows_[block]; }
    // The block's first levels, then the codes of the steps between its runs.
    const std::uint8_t* blockCodes(std::int64_t block) const { return codeStarts_[block]; }
    // The last block that starts at or before `row` (row >= 0, at least one run).
    std::int64_t blockOf(std::int64_t row) const;

    // Bytes held, all included.
    std::size_t memoryBytes() const;

private:
    static constexpr std::size_t kMaxBlockBytes =
        sizeof(std::uint32_t) + static_cast<std::size_t>(kBlockRuns - 1) * RunCode::kMaxBytes;

    void startBlock(std::int64_t row, std::uint32_t levels);
    std::int64_t pageCount() const { return static_cast<std::int64_t>(pageBlocks_.size()); }
    // Blocks that start before the page: the blocks starting in it are
    // [pageBlocks(page), pageBlocks(page + 1)).
    std::int64_t pageBlocks(std::int64_t page) const {
        return page < pageCount() ? pageBlocks_[static_cast<std::size_t>(page)] : blockCount();
    }

    ByteChunks bytes_;
    // Blocks are a 64th of the runs: small chunks keep a short recording small.
    ChunkedArray<std::int64_t, 9> firstRows_;
    ChunkedArray<const std::uint8_t*, 9> codeStarts_;
    // Filled up to the page of the last block's start; later pages hold no block start yet.
    std::vector<std::int64_t> pageBlocks_;
    RunCode::Masks masks_;
    std::int64_t count_ = 0;
    std::int64_t lastFirst_ = 0;
    std::uint32_t lastLevels_ = 0;
};

} // namespace voltarix::chart
