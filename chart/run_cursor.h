#pragma once

#include "chart/run_blocks.h"
#include "chart/run_code.h"

#include <QtGlobal>

#include <cstdint>
#include <cstring>

namespace voltarix::chart {

// A reading position among the runs of a RunBlocks: the run's index, rows [first, end) and
// levels. It moves to any run or row from the start of that run's block and walks on run by
// run from there; walking forward costs a step of a code per run.
class RunCursor {
public:
    // Over runs whose last ends at `rowCount`; there must be at least one run.
    RunCursor(const RunBlocks& blocks, std::int64_t rowCount)
        : blocks_(&blocks), rowCount_(rowCount), lastRun_(blocks.count() - 1) {}

    // Moves to the run holding `row` (0 <= row < rowCount).
    void seekRow(std::int64_t row) {
        seekRow(row, [](const RunCursor&) {});
    }
    // The same, calling visit(cursor) at every run it passes from the start of the row's block
    // on, the row's run included.
    template <typename Visit> void seekRow(std::int64_t row, Visit visit) {
        enterBlock(blocks_->blockOf(row));
        visit(*this);
        while (end_ <= row) {
            next();
            visit(*this);
        }
    }
    // Moves to run `run` (0 <= run < count).
    void seekRun(std::int64_t run) {
        enterBlock(run >> RunBlocks::kBlockShift);
        while (run_ < run)
            next();
    }
    // Moves to the next run; only while run() is not the last.
    Q_ALWAYS_INLINE void next() {
        ++run_;
        if ((run_ & (RunBlocks::kBlockRuns - 1)) == 0) {
            enterBlock(run_ >> RunBlocks::kBlockShift);
            return;
        }
        first_ = end_;
        levels_ ^= nextMask_;
        readEnd();
    }

    // Whether `row`, at or after this run's first, lies in this run's block: reached by
    // walking on, without a search.
    bool blockHolds(std::int64_t row) const {
        const std::int64_t nextBlock = (run_ >> RunBlocks::kBlockShift) + 1;
        return nextBlock >= blocks_->blockCount() || row < blocks_->blockFirstRow(nextBlock);
    }
    std::int64_t run() const { return run_; }
    std::int64_t first() const { return first_; }
    std::int64_t end() const { return end_; }
    std::uint32_t levels() const { return levels_; }
    bool isLast() const { return run_ == lastRun_; }

private:
    void enterBlock(std::int64_t block) {
        run_ = block << RunBlocks::kBlockShift;
        first_ = blocks_->blockFirstRow(block);
        code_ = blocks_->blockCodes(block);
        std::memcpy(&levels_, code_, sizeof(levels_));
        code_ += sizeof(levels_);
        masks_.clear();
        readEnd();
    }
    // The open run ends with the rows, a block's last run where the next block starts, any
    // other run as its step's code says.
    Q_ALWAYS_INLINE void readEnd() {
        if (run_ == lastRun_) {
            end_ = rowCount_;
        } else if (((run_ + 1) & (RunBlocks::kBlockRuns - 1)) == 0) {
            end_ = blocks_->blockFirstRow((run_ >> RunBlocks::kBlockShift) + 1);
        } else {
            RunCode::Step step;
            code_ = RunCode::read(code_, step, masks_);
            end_ = first_ + step.length;
            nextMask_ = step.mask;
        }
    }

    const RunBlocks* blocks_;
    std::int64_t rowCount_;
    std::int64_t lastRun_;
    const std::uint8_t* code_ = nullptr;
    RunCode::Masks masks_;
    std::int64_t run_ = 0;
    std::int64_t first_ = 0;
    std::int64_t end_ = 0;
    std::uint32_t levels_ = 0;
    std::uint32_t nextMask_ = 0;
};

} // namespace voltarix::chart
