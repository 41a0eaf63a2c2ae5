#pragma once

#include <cstdint>

namespace voltarix::port::linux_ {

// Processor port instructions and the kernel's permission for them.
class PortIo {
public:
    virtual ~PortIo() = default;

    // Grants (on) or drops the permission for count ports from first.
    // Returns 0 or an errno value.
    virtual int permit(std::uint16_t first, std::uint16_t count, bool on) = 0;
    virtual std::uint8_t in(std::uint16_t address) = 0;
    virtual void out(std::uint16_t address, std::uint8_t value) = 0;
};

} // namespace voltarix::port::linux_
