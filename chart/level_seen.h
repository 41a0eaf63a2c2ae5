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
    // Both levels seen for every trace in `traces`: no further row can change the answer.
    bool complete(std::uint32_t traces) const { return (high & low & traces) == traces; }
};

} // namespace voltarix::chart
