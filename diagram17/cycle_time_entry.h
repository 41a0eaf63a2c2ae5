#pragma once

#include <cstdint>

namespace voltarix::diagram17 {

// One kept cycle of a recording: its number (the chart's x, from 0), its real time in
// microseconds and the 17 levels read at it, trace k in bit k.
struct CycleTimeEntry {
    std::uint64_t cycle = 0;
    std::uint64_t timeUs = 0;
    std::uint32_t levels = 0;

    friend bool operator==(const CycleTimeEntry&, const CycleTimeEntry&) = default;
};

} // namespace voltarix::diagram17
