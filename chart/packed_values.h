#pragma once

#include "chart/code_range.h"
#include "chart/min_max_pyramid.h"

#include <QtGlobal>

#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <utility>
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

    // Repeating the last value, the common case of bars and steady lines, stays inline; a
    // change of value, the first and last point of a block or filling a word go out of line.
    Q_ALWAYS_INLINE void append(double value) {
        const std::uint64_t key = std::bit_cast<std::uint64_t>(value);
        const bool room = (blockLeft_ - 2 < 254u) & (shift_ < 64);
        if (room && key == lastKey_) {
            pending_ |= std::uint64_t{lastCode_} << shift_;
            shift_ += bits_;
            --blockLeft_;
            ++size_;
            return;
        }
        appendSlow(value);
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
    void pushCode(std::uint32_t code);
    void flushPending();
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
    // The word being filled, kept here until full so that appending never reads memory back.
    std::uint64_t pending_ = 0;
    std::uint64_t pendingIndex_ = 0;
    unsigned shift_ = 0;
    // Points until the open block is complete.
    unsigned blockLeft_ = MinMaxPyramid::kBaseSize;
    std::uint32_t lastCode_ = 0;
    unsigned bits_ = 1;
};

} // namespace voltarix::chart
