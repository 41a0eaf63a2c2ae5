#pragma once

#include "capture/sample_run.h"

#include <cstdint>
#include <limits>

namespace voltarix::capture {

// Gathers samples into runs of equal levels. A run ends when the levels
// change, when the sampler missed time before a sample (a gap), or when it
// has lasted the flush interval, so that the recording side sees time go on
// even while nothing changes.
class RunBuilder {
public:
    // Time between two samples beyond the pause asked for that counts as
    // missed. Well under a bit of a 9600-baud line, far over what a read of
    // the port takes on any machine.
    static constexpr std::uint64_t gapThresholdNs = 50'000;
    static constexpr std::uint64_t flushIntervalNs = 1'000'000;

    // Adds the sample stamped `ns`; `askedPauseNs` is the pause asked for
    // after the sample before. Calls publish(const SampleRun&) for every run
    // that ends.
    template <typename Publish>
    void add(std::uint64_t ns, std::uint32_t levels, std::uint64_t askedPauseNs,
             Publish&& publish) {
        const std::uint64_t gap = hasPrevious_ ? excess(ns - previousNs(ns), askedPauseNs) : 0;
        previousNs_ = ns;
        hasPrevious_ = true;
        if (open_.count != 0 && levels == open_.levels && gap == 0 &&
            open_.count < std::numeric_limits<std::uint32_t>::max()) {
            ++open_.count;
            open_.spanNs = static_cast<std::uint32_t>(ns - open_.firstNs);
        } else {
            if (open_.count != 0)
                publish(static_cast<const SampleRun&>(open_));
            open_ = {ns, 0, 1, levels, saturated(gap)};
        }
        if (ns - open_.firstNs >= flushIntervalNs)
            flush(publish);
    }

    // Ends the open run now, for instance before the sampler rests.
    template <typename Publish> void flush(Publish&& publish) {
        if (open_.count == 0)
            return;
        publish(static_cast<const SampleRun&>(open_));
        open_.count = 0;
    }

    // Forgets everything: the next sample begins a new series, with no gap
    // before it.
    void reset() {
        open_ = {};
        hasPrevious_ = false;
    }

    bool hasOpenRun() const { return open_.count != 0; }

private:
    // A clock that stepped back counts as no time at all.
    std::uint64_t previousNs(std::uint64_t ns) const { return ns > previousNs_ ? previousNs_ : ns; }
    static std::uint64_t excess(std::uint64_t interval, std::uint64_t asked) {
        const std::uint64_t over = interval > asked ? interval - asked : 0;
        return over > gapThresholdNs ? over : 0;
    }
    static std::uint32_t saturated(std::uint64_t value) {
        constexpr std::uint64_t most = std::numeric_limits<std::uint32_t>::max();
        return static_cast<std::uint32_t>(value < most ? value : most);
    }

    SampleRun open_;
    std::uint64_t previousNs_ = 0;
    bool hasPrevious_ = false;
};

} // namespace voltarix::capture
