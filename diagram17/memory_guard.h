#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace voltarix::diagram17 {

// Watches the memory left to the program while a recording grows, so that a
// run that would never end by itself ("Неограничено", days of synchronous
// starts) stops before the machine runs short. Asking the system costs tens
// of microseconds, so it is asked only once every so many cycles.
class MemoryGuard {
public:
    // Bytes the program may still take, or nothing when that cannot be told.
    using Probe = std::function<std::optional<std::uint64_t>()>;

    static constexpr std::uint64_t kDefaultMargin = std::uint64_t{192} << 20;
    static constexpr int kCyclesPerCheck = 1 << 16;

    explicit MemoryGuard(Probe probe = systemProbe(), std::uint64_t margin = kDefaultMargin);

    // Called once per cycle; true when memory has run short. Asks the probe
    // on the first call and then once every kCyclesPerCheck calls.
    bool cycleRunsShort() {
        if (++sinceCheck_ < kCyclesPerCheck)
            return false;
        sinceCheck_ = 0;
        return runsShort();
    }
    // Cycles that can pass before the next one that asks the probe, and
    // letting that many pass at once (no more than that).
    int cyclesBeforeCheck() const { return kCyclesPerCheck - 1 - sinceCheck_; }
    void passCycles(int cycles) { sinceCheck_ += cycles; }
    // Asks the probe now.
    bool runsShort() const;
    // Makes the next cycleRunsShort() ask the probe.
    void checkAtNextCycle() { sinceCheck_ = kCyclesPerCheck - 1; }

    // Available memory of the system (MemAvailable), less where a memory
    // limit of the program's control group is nearer.
    static Probe systemProbe();

private:
    Probe probe_;
    std::uint64_t margin_;
    int sinceCheck_ = kCyclesPerCheck - 1;
};

} // namespace voltarix::diagram17
