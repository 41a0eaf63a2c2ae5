#pragma once

#include <cstdint>
#include <limits>
#include <vector>

namespace voltarix::diagram17 {

// Real time of a recording's cycles, kept in proportion to level changes: a
// cycle gets an entry when any line changed since the cycle before, and at
// least every `maxGap` cycles, so that the time of every change is exact and
// an idle stretch still has its clock. Cycles are numbered from 0 (the
// chart's x). An entry costs 12 bytes.
class CycleTimes {
public:
    static constexpr std::uint64_t maxGap = 4096;

    struct Entry {
        std::uint64_t cycle;
        std::uint64_t timeUs;
        std::uint32_t levels;
    };

    // Called once per cycle, in order, with the cycle's levels and the time
    // taken at its first pin read.
    void record(std::uint64_t cycle, std::uint64_t timeUs, std::uint32_t levels) {
        if (!empty() && levels == last_.levels && cycle - last_.cycle < maxGap)
            return;
        append({cycle, timeUs, levels});
    }

    std::size_t size() const { return levels_.size(); }
    bool empty() const { return levels_.empty(); }
    std::size_t memoryBytes() const;

    // Calls visit(const Entry&) for every entry, oldest first.
    template <typename Visit> void forEach(Visit visit) const {
        Entry entry{};
        std::size_t nextWide = 0;
        for (std::size_t i = 0; i < levels_.size(); ++i) {
            entry.cycle += cycleSteps_[i];
            if (microSteps_[i] == wideStep)
                entry.timeUs += wideMicroSteps_[nextWide++];
            else
                entry.timeUs += microSteps_[i];
            entry.levels = levels_[i];
            visit(static_cast<const Entry&>(entry));
        }
    }

private:
    // A time step that does not fit 32 bits (over 71 minutes between two
    // cycles, i.e. between two runs) is kept aside.
    static constexpr std::uint32_t wideStep = std::numeric_limits<std::uint32_t>::max();

    void append(const Entry& entry);

    // Steps from the entry before (from 0 for the first); a cycle step never
    // exceeds maxGap.
    std::vector<std::uint32_t> cycleSteps_;
    std::vector<std::uint32_t> microSteps_;
    std::vector<std::uint32_t> levels_;
    std::vector<std::uint64_t> wideMicroSteps_;
    Entry last_{};
};

} // namespace voltarix::diagram17
