#pragma once

#include <cstdint>

namespace voltarix::port {

// The unit of every transfer to the device: selector, then value. Arrays of
// records are sent as they lie in memory, two bytes each.
struct AccessRecord {
    std::uint8_t selector = 0;
    std::uint8_t value = 0;
};
static_assert(sizeof(AccessRecord) == 2, "access records are two bytes on the wire");

} // namespace voltarix::port
