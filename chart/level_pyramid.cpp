#include "chart/level_pyramid.h"

#include "chart/pyramid_walk.h"

namespace voltarix::chart {

namespace {

constexpr std::size_t kFan = std::size_t{1} << LevelPyramid::kFanShift;

} // namespace

void LevelPyramid::closeBlock() {
    push(0, open_);
    open_ = LevelSeen{};
    openLeft_ = kBaseSize;
}

void LevelPyramid::push(std::size_t level, const LevelSeen& seen) {
    if (levels_.size() <= level)
        levels_.emplace_back();
    Nodes& nodes = levels_[level];
    nodes.push_back(seen);
    const auto count = static_cast<std::size_t>(nodes.size());
    if (count % kFan != 0)
        return;
    LevelSeen group;
    for (std::size_t i = count - kFan; i < count; ++i)
        group.add(nodes[static_cast<std::int64_t>(i)]);
    push(level + 1, group);
}

std::int64_t LevelPyramid::nodeCount(int level) const {
    return level < static_cast<int>(levels_.size())
               ? levels_[static_cast<std::size_t>(level)].size()
               : 0;
}

bool LevelPyramid::mergeNodes(int level, std::int64_t first, std::int64_t last,
                              const LevelSeen& goal, LevelSeen& result) const {
    const Nodes& nodes = levels_[static_cast<std::size_t>(level)];
    for (std::int64_t i = first; i < last; ++i) {
        result.add(nodes[i]);
        if (result.covers(goal))
            return false;
    }
    return true;
}

void LevelPyramid::merge(std::int64_t first, std::int64_t last, const LevelSeen& goal,
                         LevelSeen& result) const {
    walkPyramid(
        first, last, kFanShift, [this](int level) { return nodeCount(level); },
        [&](int level, std::int64_t from, std::int64_t to) {
            return mergeNodes(level, from, to, goal, result);
        });
}

std::size_t LevelPyramid::memoryBytes() const {
    std::size_t bytes = levels_.capacity() * sizeof(Nodes);
    for (const Nodes& level : levels_)
        bytes += level.memoryBytes();
    return bytes;
}

} // namespace voltarix::chart
