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

    // The highest level whose node starts at `first` and ends at or before `last`, or -1.
    int largestNodeAt(std::int64_t first, std::int64_t last) const;
    CodeRange node(int level, std::int64_t first) const;

    std::size_t memoryBytes() const;

private:
    struct Node {
        std::uint32_t minCode;
        std::uint32_t maxCode;
    };

    void push(std::size_t level, const CodeRange& range, const std::vector<double>& dictionary);
    CodeRange summarizeLastGroup(std::size_t level, const std::vector<double>& dictionary) const;

    std::vector<std::vector<Node>> levels_;
};

} // namespace voltarix::chart
