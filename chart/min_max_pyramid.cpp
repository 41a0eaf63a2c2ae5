#include "chart/min_max_pyramid.h"

#include "chart/pyramid_walk.h"

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

bool MinMaxPyramid::mergeNodes(int level, std::int64_t first, std::int64_t last,
                               const std::vector<double>& dictionary, const CodeRange& whole,
                               CodeRange& result) const {
    const std::vector<Node>& nodes = levels_[static_cast<std::size_t>(level)];
    for (std::int64_t i = first; i < last; ++i) {
        const Node& n = nodes[static_cast<std::size_t>(i)];
        result = result.merged({n.minCode, n.maxCode, false}, dictionary);
        if (result.spans(whole))
            return false;
    }
    return true;
}

void MinMaxPyramid::mergeBlocks(std::int64_t first, std::int64_t last,
                                const std::vector<double>& dictionary, const CodeRange& whole,
                                CodeRange& result) const {
    walkPyramid(
        first, last, kFanShift, [this](int level) { return nodeCount(level); },
        [&](int level, std::int64_t from, std::int64_t to) {
            return mergeNodes(level, from, to, dictionary, whole, result);
        });
}

std::size_t MinMaxPyramid::memoryBytes() const {
    std::size_t bytes = levels_.capacity() * sizeof(std::vector<Node>);
    for (const auto& level : levels_)
        bytes += level.capacity() * sizeof(Node);
    return bytes;
}

} // namespace voltarix::chart
