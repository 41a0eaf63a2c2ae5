#include "decode/sample_rate.h"

#include "decode/recording_source.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace voltarix::decode {

std::uint64_t SampleRate::derive(std::span<const SourceEntry> entries) {
    std::vector<double> periods;
    std::size_t start = 0;
    for (std::size_t i = 1; i < entries.size(); ++i) {
        const std::uint64_t spanUs = entries[i].timeUs - entries[start].timeUs;
        const std::uint64_t cycles = entries[i].cycle - entries[start].cycle;
        if (spanUs >= kSpanUs && cycles > 0) {
            periods.push_back(static_cast<double>(spanUs) / static_cast<double>(cycles));
            start = i;
        }
    }
    // Too short for one full span: the whole of it, if any time passed.
    if (periods.empty() && entries.size() >= 2) {
        const SourceEntry& first = entries.front();
        const SourceEntry& last = entries.back();
        if (last.timeUs > first.timeUs && last.cycle > first.cycle)
            periods.push_back(static_cast<double>(last.timeUs - first.timeUs) /
                              static_cast<double>(last.cycle - first.cycle));
    }
    if (periods.empty())
        return kFallbackHz;
    const auto middle = periods.begin() + static_cast<std::ptrdiff_t>(periods.size() / 2);
    std::nth_element(periods.begin(), middle, periods.end());
    return roundToThreeDigits(1e6 / *middle);
}

std::uint64_t SampleRate::roundToThreeDigits(double rateHz) {
    if (!(rateHz >= static_cast<double>(kMinimumHz)))
        return kMinimumHz;
    const double scale = std::pow(10.0, std::floor(std::log10(rateHz)) - 2);
    const double rounded = std::round(rateHz / scale) * scale;
    return std::max<std::uint64_t>(kMinimumHz, static_cast<std::uint64_t>(std::llround(rounded)));
}

} // namespace voltarix::decode
