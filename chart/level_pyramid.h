#pragma once

#include "chart/chunked_array.h"
#include "chart/level_seen.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace voltarix::chart {

// Block summaries over level rows: level 0 tells for every complete block of 32 rows which
// levels each trace shows in it, each higher level the same for 16 blocks of the level below.
// A query then touches a few dozen summaries however many rows it spans, so drawing a whole
// recording costs about what drawing a page does, and a single-row glitch is never lost.
class LevelPyramid {
public:
    static constexpr int kBaseShift = 5;
    static constexpr int kFanShift = 4;
    static constexpr std::int64_t kBaseSize = std::int64_t{1} << kBaseShift;

    // Adds one row; the open block's summary is kept here until the block is complete.
    void add(std::uint32_t levels) {
        open_.add(levels);
        if (--openLeft_ == 0)
            closeBlock();
    }

    std::int64_t blockCount() const { return nodeCount(0); }
    // Adds what the complete blocks [first, last) show to `result`, climbing to coarser levels
    // wherever whole groups fit; stops early once `result` covers `goal`.
    void merge(std::int64_t first, std::int64_t last, const LevelSeen& goal,
               LevelSeen& result) const;

    std::size_t memoryBytes() const;

private:
    void closeBlock();
    void push(std::size_t level, const LevelSeen& seen);
    std::int64_t nodeCount(int level) const;
    // Adds nodes [first, last) of one level; false once `result` covers `goal`.
    bool mergeNodes(int level, std::int64_t first, std::int64_t last, const LevelSeen& goal,
                    LevelSeen& result) const;

    // Chunks rather than vectors: a vector's doubling would hold up to twice the summaries.
    using Nodes = ChunkedArray<LevelSeen, 9>;
    std::vector<Nodes> levels_;
    LevelSeen open_;
    unsigned openLeft_ = kBaseSize;
};

} // namespace voltarix::chart
