#pragma once

#include <array>
#include <cstdint>

namespace voltarix::chart {

// The last few distinct change masks (levels XOR the levels before), most recent first, so
// that a change seen lately is coded as its place here instead of in full. Signals repeat
// their changes: a line that toggles makes the same mask every time, a counter a handful.
// Mask 0 marks an empty place; a change is never 0.
template <int Count> class RecentMasks {
public:
    static constexpr int kCount = Count;

    // The place of `mask`, which moves to the front; kCount when it was not here, and then it
    // enters at the front.
    int encode(std::uint32_t mask) {
        int slot = 0;
        while (slot < kCount && masks_[static_cast<std::size_t>(slot)] != mask)
            ++slot;
        moveToFront(slot == kCount ? kCount - 1 : slot, mask);
        return slot;
    }

    // The mask at `slot`, or `literal` for slot kCount; updates the places as encode() did.
    std::uint32_t decode(int slot, std::uint32_t literal) {
        const std::uint32_t mask =
            slot == kCount ? literal : masks_[static_cast<std::size_t>(slot)];
        moveToFront(slot == kCount ? kCount - 1 : slot, mask);
        return mask;
    }

    void clear() { masks_ = {}; }

private:
    void moveToFront(int slot, std::uint32_t mask) {
        for (; slot > 0; --slot)
            masks_[static_cast<std::size_t>(slot)] = masks_[static_cast<std::size_t>(slot - 1)];
        masks_[0] = mask;
    }

    std::array<std::uint32_t, Count> masks_ = {};
};

} // namespace voltarix::chart
