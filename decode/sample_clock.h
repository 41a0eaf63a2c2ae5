#pragma once

#include <cstdint>

namespace voltarix::decode {

// The uniform stream's clock: sample n of a stream at rateHz samples a second starts
// n / rateHz seconds after the recording's first entry. An entry at time t starts at the first
// sample that does not start before t, and holds its levels up to the sample where the next
// entry starts; entries that start at the same sample leave the last one's levels. At 1 MHz
// this is exactly how sigrok's change dump input reads the dump our VCD export writes
// (timescale 1 us, times from the first cycle): a change at #t is sample t.
class SampleClock {
public:
    SampleClock(std::uint64_t originUs, std::uint64_t rateHz)
        : originUs_(originUs), rateHz_(rateHz) {}

    std::uint64_t originUs() const { return originUs_; }
    std::uint64_t rateHz() const { return rateHz_; }

    // The sample at which an entry of time `timeUs` starts.
    std::uint64_t sampleOf(std::uint64_t timeUs) const;
    // When sample `sample` starts, in microseconds on the recording's clock.
    double timeOf(std::uint64_t sample) const;
    // The latest time whose entry starts at or before `sample`.
    std::uint64_t lastTimeAtOrBefore(std::uint64_t sample) const;

private:
    std::uint64_t originUs_;
    std::uint64_t rateHz_;
};

} // namespace voltarix::decode
