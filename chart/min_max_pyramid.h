#pragma once

#include "chart/code_range.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace voltarix::chart {

// Block summaries over a point store: level 0 holds the value range of every complete block of
// 256 points, each higher level the range of 16 blocks of the level below. A range query then
// touches a few dozen nodes however many points it spans, which keeps drawing a whole recording
// as cheap as drawing a page.
class MinMaxPyramid {
public:
    static constexpr int kBaseShift = 8;
    static constexpr int kFanShift = 4;
    static constexpr std::int64_t kBaseSize = std::int64_t{1} << kBaseShift;

    static int shiftOf(int level) { return kBaseShift + kFanShift * level; }

    // Adds the summary of the next complete base block.
    void pushBlock(const CodeRange& block, const std::vector<double>& dictionary);

    std::int64_t nodeCount(int level) const {
        return level < static_cast<int>(levels_.size())
                   ? static_cast<std::int64_t>(levels_[static_cast<std::size_t>(level)].size())
                   : 0;
    }
    // Merges the base blocks [first, last) into `result`, climbing to coarser levels wherever
    // whole groups fit. Stops early once `result` spans `whole`, the range of all values.
    void mergeBlocks(std::int64_t first, std::int64_t last, const std::vector<double>& dictionary,
                     const CodeRange& whole, CodeRange& result) const;

    std::size_t memoryBytes() const;

private:
    struct Node {
        std::uint32_t minCode;
        std::uint32_t maxCode;
    };

    void push(std::size_t level, const CodeRange& range, const std::vector<double>& dictionary);
    CodeRange summarizeLastGroup(std::size_t level, const std::vector<double>& dictionary) const;
    // Merges nodes [first, last) of one level; false once `result` spans `whole`.
    bool mergeNodes(int level, std::int64_t first, std::int64_t last,
                    const std::vector<double>& dictionary, const CodeRange& whole,
                    CodeRange& result) const;

    std::vector<std::vector<Node>> levels_;
};

} // namespace voltarix::chart
