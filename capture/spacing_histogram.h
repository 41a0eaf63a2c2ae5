#pragma once

#include <array>
#include <cstdint>

namespace voltarix::capture {

// The time between consecutive samples, counted in buckets: 100 ns wide up
// to 200 us, where a sampler's spacing lies, then one per power of two.
class SpacingHistogram {
public:
    static constexpr std::uint64_t fineBucketNs = 100;
    static constexpr int fineBuckets = 2000;
    static constexpr int coarseBuckets = 48;

    void add(std::uint64_t ns) {
        ++total_;
        if (ns > longest_)
            longest_ = ns;
        const std::uint64_t fine = ns / fineBucketNs;
        if (fine < fineBuckets)
            ++fine_[fine];
        else
            ++coarse_[coarseIndex(ns)];
    }
    void merge(const SpacingHistogram& other);

    std::uint64_t total() const { return total_; }
    std::uint64_t longestNs() const { return longest_; }
    // The spacing that `fraction` (0 to 1) of all spacings do not exceed,
    // to the upper edge of its bucket; the longest one for 1.
    std::uint64_t quantileNs(double fraction) const;
    // Spacings longer than `ns`, to the bucket.
    std::uint64_t countAbove(std::uint64_t ns) const;

private:
    static int coarseIndex(std::uint64_t ns);
    static std::uint64_t coarseUpperNs(int index);

    std::array<std::uint64_t, fineBuckets> fine_{};
    std::array<std::uint64_t, coarseBuckets> coarse_{};
    std::uint64_t total_ = 0;
    std::uint64_t longest_ = 0;
};

} // namespace voltarix::capture
