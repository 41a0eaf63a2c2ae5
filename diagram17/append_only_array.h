#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <memory>

namespace voltarix::diagram17 {

// An array that one thread appends to while others read what was handed to them: an element,
// once stored, never moves. Storage grows in segments of doubling size (16, 32, 64 ...
// elements) held in a fixed table, so growing never copies and a reader's element stays where
// it was however long the array grows.
//
// The writer calls push_back(); a reader may read any index below a count that the writer
// published with release ordering after storing that element, and that the reader took with
// acquire ordering. size() and memoryBytes() belong to the writer.
template <typename T> class AppendOnlyArray {
public:
    void push_back(const T& value) {
        const Place place = placeOf(size_);
        if (place.offset == 0)
            segments_[place.segment] = std::make_unique<T[]>(segmentSize(place.segment));
        segments_[place.segment][place.offset] = value;
        ++size_;
    }

    const T& operator[](std::size_t index) const {
        const Place place = placeOf(index);
        return segments_[place.segment][place.offset];
    }
    std::size_t size() const { return size_; }

    std::size_t memoryBytes() const {
        std::size_t bytes = sizeof(*this);
        for (std::size_t s = 0; s < segments_.size() && segments_[s]; ++s)
            bytes += segmentSize(s) * sizeof(T);
        return bytes;
    }

private:
    static constexpr int kFirstShift = 4;

    struct Place {
        std::size_t segment;
        std::size_t offset;
    };

    static std::size_t segmentSize(std::size_t segment) {
        return std::size_t{1} << (segment + kFirstShift);
    }
    // Segment s holds the indexes [2^(s+4) - 16, 2^(s+5) - 16).
    static Place placeOf(std::size_t index) {
        const std::size_t shifted = index + (std::size_t{1} << kFirstShift);
        const auto top = static_cast<std::size_t>(std::bit_width(shifted) - 1);
        return {top - kFirstShift, shifted - (std::size_t{1} << top)};
    }

    std::array<std::unique_ptr<T[]>, 64 - kFirstShift> segments_;
    std::size_t size_ = 0;
};

} // namespace voltarix::diagram17
