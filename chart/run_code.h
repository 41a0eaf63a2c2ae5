#pragma once

#include "chart/recent_masks.h"
#include "chart/varint.h"

#include <cstdint>

namespace voltarix::chart {

// The code of one step from a run of equal level rows to the next: how many rows the run held
// and which levels changed. Most steps fit one byte: the low six bits hold the length less one
// (up to 63 rows), the high two the place of the change among the recent ones; a longer run
// and a change not seen lately follow as varints. A line toggling every row costs one byte a
// row; a run of thousands of rows costs two or three.
class RunCode {
public:
    using Masks = RecentMasks<3>;
    static constexpr int kMaxBytes = 1 + kMaxVarintBytes + 5;

    struct Step {
        std::int64_t length;
        std::uint32_t mask;
    };

    static std::uint8_t* write(std::uint8_t* out, std::int64_t length, std::uint32_t mask,
                               Masks& masks) {
        const int slot = masks.encode(mask);
        const auto lengthCode = static_cast<std::uint64_t>(length - 1);
        const bool longRun = lengthCode >= kLengthEscape;
        *out++ = static_cast<std::uint8_t>((longRun ? kLengthEscape : lengthCode) | slot << 6);
        if (longRun)
            out = writeVarint(out, lengthCode - kLengthEscape);
        if (slot == Masks::kCount)
            out = writeVarint(out, mask);
        return out;
    }

    static const std::uint8_t* read(const std::uint8_t* in, Step& step, Masks& masks) {
        const std::uint8_t byte = *in++;
        std::uint64_t lengthCode = byte & kLengthEscape;
        if (lengthCode == kLengthEscape)
            lengthCode += readVarint(in);
        const int slot = byte >> 6;
        const auto literal =
            slot == Masks::kCount ? static_cast<std::uint32_t>(readVarint(in)) : 0u;
        step.length = static_cast<std::int64_t>(lengthCode) + 1;
        step.mask = masks.decode(slot, literal);
        return in;
    }

private:
    static constexpr std::uint64_t kLengthEscape = 63;
};

} // namespace voltarix::chart
