#pragma once

#include <cstdint>

namespace voltarix::chart {

// Unsigned numbers in 7-bit groups, lowest first, the high bit of a byte telling that another
// follows: values below 128 take one byte, a 64-bit value at most kMaxVarintBytes.
inline constexpr int kMaxVarintBytes = 10;

// Writes `value` at `out`; returns the byte after it.
inline std::uint8_t* writeVarint(std::uint8_t* out, std::uint64_t value) {
    while (value >= 0x80) {
        *out++ = static_cast<std::uint8_t>(value | 0x80);
        value >>= 7;
    }
    *out++ = static_cast<std::uint8_t>(value);
    return out;
}

// Reads the number at `in` and moves `in` past it.
inline std::uint64_t readVarint(const std::uint8_t*& in) {
    std::uint64_t value = 0;
    for (int shift = 0;; shift += 7) {
        const std::uint8_t byte = *in++;
        value |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
        if (byte < 0x80)
            return value;
    }
}

} // namespace voltarix::chart
