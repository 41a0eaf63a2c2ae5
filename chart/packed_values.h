#pragma once

#include "chart/code_range.h"
#include "chart/min_max_pyramid.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace voltarix::chart {

// The y values of one series, stored as codes into a dictionary of the distinct values seen.
// A logic trace holds two levels, so it costs one bit per point; register bars hold at most 256
// values, one byte per point. The code width grows (1, 2, 4, 8, 16, 32 bits) only when a new
// distinct value needs it. Points are appended, never removed.
class PackedValues {
public:
    PackedValues();
    ~PackedValues();
    PackedValues(PackedValues&&) noexcept;
    PackedValues& operator=(PackedValues&&) noexcept;

    // The common case, the same value as the point before inside a started block, stays
    // inline: a trace appends 17 of these per capture cycle.
    void append(double value) {
        const std::uint64_t key = std::bit_cast<std::uint64_t>(value);
        const std::uint64_t bit = static_cast<std::uint64_t>(size_) * bits_;
        const std::uint64_t word = bit >> 6;
        if (key != lastKey_ || (size_ & (MinMaxPyramid::kBaseSize - 1)) == 0 ||
            (word >> kChunkShift) >= chunks_.size()) {
            appendSlow(value);
            return;
        }
        chunks_[word >> kChunkShift][word & (kChunkWords - 1)] |= std::uint64_t{lastCode_}
                                                                  << (bit & 63);
        ++size_;
        if ((size_ & (MinMaxPyramid::kBaseSize - 1)) == 0)
            closeBlock();
    }

    std::int64_t size() const { return size_; }
    double at(std::int64_t index) const { return dictionary_[codeAt(index)]; }
    std::uint32_t codeAt(std::int64_t index) const;
    double valueOf(std::uint32_t code) const { return dictionary_[code]; }
    const std::vector<double>& dictionary() const { return dictionary_; }
    unsigned bitsPerPoint() const { return bits_; }

    // Smallest and largest value among the points [first, last), clamped to the stored points.
    CodeRange range(std::int64_t first, std::int64_t last) const;

    std::size_t memoryBytes() const;

private:
    static constexpr int kChunkShift = 12;
    static constexpr std::size_t kChunkWords = std::size_t{1} << kChunkShift;

    void appendSlow(double value);
    void closeBlock();
    std::uint32_t codeFor(double value);
    std::uint32_t addToDictionary(double value);
    void widenTo(unsigned bits);
    void store(std::int64_t index, std::uint32_t code);
    std::uint64_t& wordAt(std::uint64_t word);
    std::uint64_t word(std::uint64_t word) const;
    void trackBlock(std::uint32_t code, double value);
    CodeRange scan(std::int64_t first, std::int64_t last) const;
    CodeRange scanBits(std::int64_t first, std::int64_t last) const;

    std::vector<double> dictionary_;
    std::unordered_map<std::uint64_t, std::uint32_t> lookup_;
    std::vector<std::unique_ptr<std::uint64_t[]>> chunks_;
    MinMaxPyramid pyramid_;
    CodeRange openBlock_;
    CodeRange whole_;
    std::int64_t size_ = 0;
    std::uint64_t lastKey_ = 0;
    std::uint32_t lastCode_ = 0;
    unsigned bits_ = 1;
};

} // namespace voltarix::chart
