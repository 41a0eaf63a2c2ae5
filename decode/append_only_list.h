#pragma once

#include <array>
#include <atomic>
#include <bit>
#include <cstddef>
#include <memory>
#include <utility>

namespace voltarix::decode {

// A list that one thread appends to while others read it without a lock: an element, once
// appended, never moves and never changes. Storage grows in segments of doubling size (16, 32,
// 64 ... elements) held in a fixed table, so growing never copies.
//
// push_back() publishes the new size with release ordering; size() takes it with acquire
// ordering, so a reader sees every element below a size it took complete. clear() belongs to
// the appending thread while nobody reads; memoryBytes() to any thread.
template <typename T> class AppendOnlyList {
public:
    AppendOnlyList() = default;
    AppendOnlyList(const AppendOnlyList&) = delete;
    AppendOnlyList& operator=(const AppendOnlyList&) = delete;

    void push_back(T value) {
        const std::size_t index = size_.load(std::memory_order_relaxed);
        const Place place = placeOf(index);
        if (!segments_[place.segment])
            segments_[place.segment] = std::make_unique<T[]>(segmentSize(place.segment));
        segments_[place.segment][place.offset] = std::move(value);
        size_.store(index + 1, std::memory_order_release);
    }

    // The last element; the appending thread, not empty.
    const T& back() const { return (*this)[size_.load(std::memory_order_relaxed) - 1]; }

    std::size_t size() const { return size_.load(std::memory_order_acquire); }
    bool empty() const { return size() == 0; }

    const T& operator[](std::size_t index) const {
        const Place place = placeOf(index);
        return segments_[place.segment][place.offset];
    }

    void clear() {
        for (auto& segment : segments_)
            segment.reset();
        size_.store(0, std::memory_order_release);
    }

    // The segments that the published elements take, counted from the size alone, so that it
    // reads nothing the appending thread writes.
    std::size_t memoryBytes() const {
        std::size_t bytes = sizeof(*this);
        const std::size_t count = size();
        if (count == 0)
            return bytes;
        const std::size_t last = placeOf(count - 1).segment;
        for (std::size_t s = 0; s <= last; ++s)
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
    std::atomic<std::size_t> size_ = 0;
};

} // namespace voltarix::decode
