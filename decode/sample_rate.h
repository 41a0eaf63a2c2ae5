#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace voltarix::decode {

struct SourceEntry;

// The default rate of the uniform stream: one sample per cycle of the recording, from the
// median cycle period of its first cycles. Times are whole microseconds while a cycle may take
// a fraction of one, so the period is measured over spans of consecutive entries at least
// kSpanUs long (a span's time over its cycles); the median of those spans gives the period,
// and the rate is rounded to three significant digits (2 990 000 Hz, 47 600 Hz).
class SampleRate {
public:
    static constexpr std::uint64_t kSpanUs = 1000;
    // What derive() gives when the entries measure nothing (fewer than two, or no time
    // passed): a million samples a second, the rate the change dump route decodes at.
    static constexpr std::uint64_t kFallbackHz = 1'000'000;
    static constexpr std::uint64_t kMinimumHz = 1;

    // `entries` oldest first, as a recording keeps them.
    static std::uint64_t derive(std::span<const SourceEntry> entries);
    static std::uint64_t roundToThreeDigits(double rateHz);
};

} // namespace voltarix::decode
