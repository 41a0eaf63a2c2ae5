#include "diagram17/cycle_time_code.h"

#include <limits>

namespace voltarix::diagram17 {

// A product past 64 bits (only after days between two runs) takes a wide division.
std::uint64_t CycleTimeCode::History::scaledTimeStep(std::uint64_t cycleStep) const {
    constexpr std::uint64_t narrow = std::uint64_t{1} << 32;
    if (cycleStep < narrow && lastTimeStep < narrow)
        return cycleStep * lastTimeStep / lastCycleStep;
    const unsigned __int128 wide =
        static_cast<unsigned __int128>(cycleStep) * lastTimeStep / lastCycleStep;
    constexpr std::uint64_t most = std::numeric_limits<std::uint64_t>::max();
    return wide > most ? most : static_cast<std::uint64_t>(wide);
}

} // namespace voltarix::diagram17
