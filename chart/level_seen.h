#pragma once

#include <cstdint>

namespace voltarix::chart {

// Which levels some rows of two-level traces show, one bit per trace: bit k of `high` is set
// when trace k is high in at least one of the rows, bit k of `low` when it is low in one.
struct LevelSeen {
    std::uint32_t high = 0;
    std::uint32_t low = 0;

    void add(std::uint32_t levels) {
        high |= levels;
        low |= ~levels;
    }
    void add(const LevelSeen& other) {
        high |= other.high;
        low |= other.low;
    }
    // Everything `goal` shows is seen here too. With the levels all rows show as the goal, no
    // further row can change the answer.
    bool covers(const LevelSeen& goal) const {
        return (high & goal.high) == goal.high && (low & goal.low) == goal.low;
    }
};

} // namespace voltarix::chart
