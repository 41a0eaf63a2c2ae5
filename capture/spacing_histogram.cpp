#include "capture/spacing_histogram.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace voltarix::capture {

namespace {

constexpr std::uint64_t fineEndNs = SpacingHistogram::fineBucketNs * SpacingHistogram::fineBuckets;

} // namespace

// Coarse bucket i holds spacings below fineEnd * 2^(i+1).
int SpacingHistogram::coarseIndex(std::uint64_t ns) {
    const int index = std::bit_width(ns / fineEndNs) - 1;
    return std::clamp(index, 0, coarseBuckets - 1);
}

std::uint64_t SpacingHistogram::coarseUpperNs(int index) {
    return fineEndNs << (index + 1);
}

void SpacingHistogram::merge(const SpacingHistogram& other) {
    for (std::size_t i = 0; i < fine_.size(); ++i)
        fine_[i] += other.fine_[i];
    for (std::size_t i = 0; i < coarse_.size(); ++i)
        coarse_[i] += other.coarse_[i];
    total_ += other.total_;
    longest_ = std::max(longest_, other.longest_);
}

std::uint64_t SpacingHistogram::quantileNs(double fraction) const {
    if (total_ == 0)
        return 0;
    if (fraction >= 1.0)
        return longest_;
    // The smallest count of spacings that reaches the fraction.
    const auto wanted =
        static_cast<std::uint64_t>(std::ceil(fraction * static_cast<double>(total_)));
    std::uint64_t seen = 0;
    for (int i = 0; i < fineBuckets; ++i) {
        seen += fine_[static_cast<std::size_t>(i)];
        if (seen >= wanted && seen > 0)
            return std::min(longest_, (static_cast<std::uint64_t>(i) + 1) * fineBucketNs);
    }
    for (int i = 0; i < coarseBuckets; ++i) {
        seen += coarse_[static_cast<std::size_t>(i)];
        if (seen >= wanted)
            return std::min(longest_, coarseUpperNs(i));
    }
    return longest_;
}

std::uint64_t SpacingHistogram::countAbove(std::uint64_t ns) const {
    std::uint64_t count = 0;
    for (int i = 0; i < fineBuckets; ++i) {
        if (static_cast<std::uint64_t>(i) * fineBucketNs >= ns)
            count += fine_[static_cast<std::size_t>(i)];
    }
    for (int i = 0; i < coarseBuckets; ++i) {
        if (coarseUpperNs(i) / 2 >= ns)
            count += coarse_[static_cast<std::size_t>(i)];
    }
    return count;
}

} // namespace voltarix::capture
