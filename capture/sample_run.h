#pragma once

#include <cstdint>

namespace voltarix::capture {

// Consecutive samples of the lines with equal levels, as the sampler hands
// them to the recording: port lines change rarely compared with the rate at
// which they are read, so a run stands for many samples.
struct SampleRun {
    // Time stamp of the first sample, taken just before its reads
    // (monotonic clock, nanoseconds).
    std::uint64_t firstNs = 0;
    // From the first sample's time stamp to the last one's.
    std::uint32_t spanNs = 0;
    // Samples in the run, at least one.
    std::uint32_t count = 0;
    // The levels, line k in bit k (see port::captureOrderPins).
    std::uint32_t levels = 0;
    // When the sampler missed time before the first sample (the wait was
    // longer than the pause asked for by more than the gap threshold): by
    // how much, saturated at the type's maximum; otherwise 0.
    std::uint32_t gapNs = 0;

    // The time stamp of sample `index` of the run: a run keeps only its
    // first and last stamps and holds no gap, so its samples lie evenly
    // between them.
    std::uint64_t sampleNs(std::uint32_t index) const {
        if (count < 2)
            return firstNs;
        return firstNs + std::uint64_t{spanNs} * index / (count - 1);
    }

    // The index of the first sample from `from` on stamped at `ns` or later;
    // count when there is none. A recording that ends at a moment takes the
    // samples before it.
    std::uint32_t firstAtOrAfter(std::uint64_t ns, std::uint32_t from = 0) const {
        std::uint32_t low = from;
        std::uint32_t high = count;
        while (low < high) {
            const std::uint32_t middle = low + (high - low) / 2;
            if (sampleNs(middle) < ns)
                low = middle + 1;
            else
                high = middle;
        }
        return low;
    }
};

} // namespace voltarix::capture
