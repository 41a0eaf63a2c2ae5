#include "chart/min_max_pyramid.h"

namespace voltarix::chart {

void MinMaxPyramid::pushBlock(const CodeRange& block, const std::vector<double>& dictionary) {
    push(0, block, dictionary);
}

void MinMaxPyramid::push(std::size_t level, const CodeRange& range,
                         const std::vector<double>& dictionary) {
    if (levels_.size() <= level)
        levels_.emplace_back();
    levels_[level].push_back({range.minCode, range.maxCode});
    constexpr std::size_t fan = std::size_t{1} << kFanShift;
    if (levels_[level].size() % fan == 0)
        push(level + 1, summarizeLastGroup(level, dictionary), dictionary);
}

CodeRange MinMaxPyramid::summarizeLastGroup(std::size_t level,
                                            const std::vector<double>& dictionary) const {
    constexpr std::size_t fan = std::size_t{1} << kFanShift;
    const std::vector<Node>& nodes = levels_[level];
    CodeRange result;
    for (std::size_t i = nodes.size() - fan; i < nodes.size(); ++i)
        result = result.merged({nodes[i].minCode, nodes[i].maxCode, false}, dictionary);
    return result;
}

int MinMaxPyramid::largestNodeAt(std::int64_t first, std::int64_t last) const {
    for (int level = static_cast<int>(levels_.size()) - 1; level >= 0; --level) {
        const int shift = shiftOf(level);
        const std::int64_t size = std::int64_t{1} << shift;
        if ((first & (size - 1)) != 0 || first + size > last)
            continue;
        if (static_cast<std::size_t>(first >> shift) < levels_[level].size())
            return level;
    }
    return -1;
}

CodeRange MinMaxPyramid::node(int level, std::int64_t first) const {
    const Node& n = levels_[level][static_cast<std::size_t>(first >> shiftOf(level))];
    return {n.minCode, n.maxCode, false};
}

std::size_t MinMaxPyramid::memoryBytes() const {
    std::size_t bytes = levels_.capacity() * sizeof(std::vector<Node>);
    for (const auto& level : levels_)
        bytes += level.capacity() * sizeof(Node);
    return bytes;
}

} // namespace voltarix::chart
