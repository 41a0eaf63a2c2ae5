#pragma once

#include "diagram17/cycle_times.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace voltarix::diagram17::testing {

// The rule of the cycle times written out plainly, as whole entries: the yardstick of the
// delta-coded store.
class PlainCycleTimes {
public:
    using Entry = CycleTimes::Entry;

    void record(std::uint64_t cycle, std::uint64_t timeUs, std::uint32_t levels) {
        if (!entries_.empty()) {
            const Entry& last = entries_.back();
            if (cycle <= last.cycle)
                return;
            if (levels == last.levels && cycle - last.cycle < CycleTimes::maxGap)
                return;
            timeUs = std::max(timeUs, last.timeUs);
        }
        entries_.push_back({cycle, timeUs, levels});
    }

    const std::vector<Entry>& entries() const { return entries_; }

private:
    std::vector<Entry> entries_;
};

} // namespace voltarix::diagram17::testing
